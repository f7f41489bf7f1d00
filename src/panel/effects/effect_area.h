#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

namespace cv {
class Mat;
}

// The part of a layer image an effect acts on: a quadrilateral whose corners
// lie on pixel edges, so the selection QRect(10, 20, 100, 60) has the corners
// (10, 20), (110, 20), (110, 80) and (10, 80). All corners zero means the
// whole image.
namespace kq::panel {

struct EffectArea {
    // left-top, right-top, right-bottom, left-bottom
    std::array<QPoint, 4> corners{};

    bool IsWhole() const;
    // The pixels inside the corners' bounding box, cut to the image; the
    // whole image for a whole area.
    QRect Box(QSize image) const;
    // A null or empty selection gives the whole image.
    static EffectArea FromSelection(const QRect &selection);
    bool operator==(const EffectArea &) const = default;
};

// "l/t/r/t/r/b/l/b": the eight numbers of the record's area field.
QString AreaText(const EffectArea &area);
std::optional<EffectArea> ParseAreaText(const QString &text);

// 255 on the pixels inside the area, 0 outside (CV_8U, the image's size).
cv::Mat AreaMask(const EffectArea &area, QSize image);

}  // namespace kq::panel
