#include "panel/text_window/text_preview.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace kq::panel {

namespace {

constexpr int kMargin = 10;

}  // namespace

TextPreview::TextPreview(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    // The largest size (30, 90 pixels high) fits without clipping.
    setMinimumHeight(QFontMetrics(TextFont(TextDescription{.face = kDefaultTextFace, .size = kMaxTextSize}, 1.0))
                         .height()
                     + 2 * kMargin);
}

void TextPreview::SetDescription(const TextDescription &description)
{
    m_description = description;
    update();
}

QSize TextPreview::sizeHint() const
{
    return {480, minimumHeight()};
}

void TextPreview::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        const QRect area = contentsRect();
        painter.fillRect(area, m_description.background);
        const QFont font = TextFont(m_description, 1.0);
        const QFontMetrics metrics(font);
        const QSize extent = MeasureText(m_description);
        // Centred while it fits; a longer text starts at the left margin and runs out of the box.
        const int left = area.left() + std::max(kMargin, (area.width() - extent.width()) / 2);
        const int top = area.top() + (area.height() - metrics.height()) / 2;
        painter.setClipRect(area);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(font);
        painter.setPen(m_description.colour);
        painter.drawText(QPoint(left, top + metrics.ascent()), m_description.text);
    }
    QFrame::paintEvent(event);
}

}  // namespace kq::panel
