#include "tools/melody/notice_panel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace kq {

NoticePanel::NoticePanel(const QString &title, const QString &line1, const QString &line2, const QColor &colour,
                         QWidget *parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setLineWidth(2);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colour);
    setPalette(colours);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    auto *heading = new QLabel(title, this);
    QFont bigger = heading->font();
    bigger.setPointSize(bigger.pointSize() + 6);
    bigger.setBold(true);
    heading->setFont(bigger);
    heading->setAlignment(Qt::AlignCenter);
    layout->addWidget(heading);
    layout->addWidget(new QLabel(line1, this));
    layout->addWidget(new QLabel(line2, this));
    adjustSize();
    hide();
}

void NoticePanel::ShowCentred()
{
    if (const QWidget *owner = parentWidget())
        move((owner->width() - width()) / 2, (owner->height() - height()) / 2);
    show();
    raise();
}

void NoticePanel::mousePressEvent(QMouseEvent *event)
{
    m_grab = event->position().toPoint();
}

void NoticePanel::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        move(mapToParent(event->position().toPoint() - m_grab));
}

}  // namespace kq
