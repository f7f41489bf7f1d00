#include "panel/menu/bitmap_file.h"

#include "panel/effects/effect_control.h"

#include <QBuffer>
#include <QFileInfo>
#include <QSaveFile>

namespace kq::panel {

namespace {
// Small enough that "中止" answers at once, large enough not to slow the write.
constexpr qint64 kChunkBytes = 256 * 1024;
}

bool HasBitmapExtension(const QString &path)
{
    return QFileInfo(path).suffix().toLower() == QLatin1String("bmp");
}

BitmapWrite WriteBitmapFile(const QString &path, const QImage &image, EffectControl &control)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "BMP"))
        return BitmapWrite::Failed;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return BitmapWrite::Failed;
    for (qint64 at = 0; at < bytes.size(); at += kChunkBytes) {
        if (control.StopRequested()) {
            file.cancelWriting();
            return BitmapWrite::Stopped;
        }
        const qint64 length = std::min(kChunkBytes, bytes.size() - at);
        if (file.write(bytes.constData() + at, length) != length)
            return BitmapWrite::Failed;
        control.ReportProgress(int((at + length) * 100 / bytes.size()));
    }
    if (control.StopRequested()) {
        file.cancelWriting();
        return BitmapWrite::Stopped;
    }
    return file.commit() ? BitmapWrite::Written : BitmapWrite::Failed;
}

}  // namespace kq::panel
