#include "panel/menu/bitmap_file.h"

#include "base/atomic_file.h"
#include "base/picture_file.h"
#include "panel/effects/effect_control.h"

#include <QFileInfo>

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
    const std::optional<QByteArray> bytes = PictureBytes(image, "BMP");
    if (!bytes)
        return BitmapWrite::Failed;

    AtomicFile file(path);
    if (!file.Open())
        return BitmapWrite::Failed;
    for (qint64 at = 0; at < bytes->size(); at += kChunkBytes) {
        if (control.StopRequested()) {
            file.Cancel();
            return BitmapWrite::Stopped;
        }
        const qint64 length = std::min(kChunkBytes, bytes->size() - at);
        if (!file.Write(QByteArrayView(*bytes).sliced(at, length)))
            return BitmapWrite::Failed;
        control.ReportProgress(int((at + length) * 100 / bytes->size()));
    }
    if (control.StopRequested()) {
        file.Cancel();
        return BitmapWrite::Stopped;
    }
    return file.Commit() ? BitmapWrite::Written : BitmapWrite::Failed;
}

}  // namespace kq::panel
