#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

namespace kq::testing {

// A picture of one colour, standing in for a photo or a drawing.
inline QImage FilledImage(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

}  // namespace kq::testing
