#include "base/picture_file.h"

#include "base/atomic_file.h"

#include <QBuffer>
#include <QImageWriter>

namespace kq {

std::optional<QByteArray> PictureBytes(const QImage &image, const QByteArray &format, int quality)
{
    if (image.isNull())
        return std::nullopt;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image))
        return std::nullopt;
    return bytes;
}

bool WritePictureFile(const QString &path, const QImage &image, const QByteArray &format, int quality)
{
    const std::optional<QByteArray> bytes = PictureBytes(image, format, quality);
    return bytes && WriteFileAtomically(path, *bytes);
}

}  // namespace kq
