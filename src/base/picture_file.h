#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

// Pictures are encoded in memory and then written like every other file, so
// a full disk cannot leave a cut picture behind a reported success.
namespace kq {

// The image in format ("BMP", "jpeg", ...) at quality (as QImageWriter takes
// it, -1 the format's default); nullopt for a null image or a failed encoding.
std::optional<QByteArray> PictureBytes(const QImage &image, const QByteArray &format, int quality = -1);

// PictureBytes replacing the file at path with WriteFileAtomically.
[[nodiscard]] bool WritePictureFile(const QString &path, const QImage &image, const QByteArray &format,
                                    int quality = -1);

}  // namespace kq
