#include "controls/transfer_progress_window.h"

#include <QProgressBar>
#include <QVBoxLayout>

namespace kq {

TransferProgressWindow::TransferProgressWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_bar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("TransferProgressWindow"));
    setFixedSize(kProgressWindowSize);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setRange(0, kProgressMaximum);
    m_bar->setValue(0);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_bar);
}

void TransferProgressWindow::ShowCentredOver(const QWidget *caller)
{
    if (caller)
        move(CentredTopLeft(caller->window()->frameGeometry(), kProgressWindowSize));
    show();
    raise();
}

void TransferProgressWindow::SetProgress(int value)
{
    m_bar->setValue(qBound(0, value, kProgressMaximum));
}

void TransferProgressWindow::HideProgress()
{
    hide();
}

int TransferProgressWindow::Progress() const
{
    return m_bar->value();
}

}  // namespace kq
