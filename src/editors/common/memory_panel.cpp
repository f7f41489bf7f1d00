#include "editors/common/memory_panel.h"

#include "controls/notice_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kq {

MemoryPanel::MemoryPanel(QWidget &parent, const QString &note) : QFrame(&parent)
{
    setObjectName(QStringLiteral("MemoryPanel"));
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("#MemoryPanel { background: #fffbe6; border: 2px solid #e0a800; }"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(NoticeText(QStringLiteral("消費メモリー"), this, 14));
    auto *countRow = new QHBoxLayout;
    m_count = NoticeText(QStringLiteral("0"), this, 24);
    m_count->setObjectName(QStringLiteral("MemoryCount"));
    countRow->addWidget(m_count);
    countRow->addWidget(NoticeText(QStringLiteral("/ 120"), this, 14));
    layout->addLayout(countRow);
    if (!note.isEmpty())
        layout->addWidget(NoticeText(note, this, 9));
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("MemoryOk"));
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);
    layout->addWidget(ok);
    resize(note.isEmpty() ? QSize(260, 150) : QSize(330, 180));
    hide();
}

void MemoryPanel::SetCount(int count)
{
    m_count->setText(QString::number(count));
}

void MemoryPanel::Show(int count)
{
    SetCount(count);
    ShowCentred(*this);
}

}  // namespace kq
