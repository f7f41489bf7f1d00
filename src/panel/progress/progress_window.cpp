#include "panel/progress/progress_window.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace kq::panel {

void ProgressWindow::Control::ReportProgress(int percent)
{
    const int value = std::clamp(percent, 0, 100);
    // Only changes cross to the window's thread, so a chatty effect cannot
    // flood its event queue.
    if (m_percent.exchange(value) == value)
        return;
    QMetaObject::invokeMethod(m_window.m_bar, [bar = m_window.m_bar, value] { bar->setValue(value); },
                              Qt::QueuedConnection);
}

void ProgressWindow::Control::Reset()
{
    m_stop.store(false);
    m_percent.store(0);
}

ProgressWindow::ProgressWindow(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_bar(new QProgressBar(this)),
      m_cancel(new QPushButton(QStringLiteral("中止"), this))
{
    setObjectName(QStringLiteral("ProgressWindow"));
    setWindowTitle(QStringLiteral("進行状況"));
    setWindowModality(Qt::ApplicationModal);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_control.RequestStop(); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    setFixedSize(360, 110);
}

bool ProgressWindow::Run(QWidget *over, const std::function<bool(EffectControl &)> &work)
{
    m_control.Reset();
    m_bar->setValue(0);
    if (over)
        move(over->window()->frameGeometry().center() - rect().center());
    m_running = true;
    show();
    raise();

    bool succeeded = false;
    QEventLoop loop;
    std::unique_ptr<QThread> worker(QThread::create([&] { succeeded = work(m_control); }));
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    worker->start();
    loop.exec();
    worker->wait();

    m_running = false;
    hide();
    return succeeded && !m_control.StopRequested();
}

int ProgressWindow::Progress() const
{
    return m_bar->value();
}

void ProgressWindow::reject()
{
    // Escape or the close box while running means "中止"; the window goes
    // away when the work has noticed.
    if (m_running)
        m_control.RequestStop();
    else
        QDialog::reject();
}

}  // namespace kq::panel
