#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>

#include <optional>

// Reading pictures into the panel maker's one image form (RGB32, no alpha)
// and laying them over each other with a colour key.
namespace kq::panel {

// Pictures larger than this (either side, or in total pixels) are refused
// before any pixel memory is taken: no panel needs them and a damaged header
// must not make the program allocate gigabytes.
inline constexpr int kMaxPictureSide = 20000;
inline constexpr qint64 kMaxPicturePixels = 60LL * 1000 * 1000;

// A BMP, JPEG, GIF or PNG file (chosen by content, not by name) as RGB32;
// nullopt when it cannot be read or is too large.
std::optional<QImage> ReadPanelPicture(const QString &path);

// Draws picture onto target with its top-left corner at position, leaving out
// every pixel whose colour is exactly key (when given). Parts outside target
// are clipped. target must be RGB32; picture is converted when it is not.
void MergeWithColourKey(QImage &target, const QImage &picture, QPoint position, std::optional<QColor> key);

}  // namespace kq::panel
