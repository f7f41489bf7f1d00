#include "panel/main_window/picture_page.h"

#include <QPainter>

namespace kq::panel {

PreviewPage::PreviewPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PreviewPage"));
}

void PreviewPage::SetFrame(const QPixmap &frame, const QRect &canvas)
{
    m_frame = frame;
    m_canvas = canvas;
    update();
}

void PreviewPage::ShowPanel(const QImage &flattened, QSize shownSize)
{
    m_shown =
        flattened.isNull() ? QImage() : flattened.scaled(shownSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    update();
}

void PreviewPage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_frame.isNull())
        painter.drawPixmap(0, 0, m_frame);
    painter.drawImage(m_canvas.topLeft(), m_shown);
}

}  // namespace kq::panel
