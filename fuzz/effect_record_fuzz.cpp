// A processing record of a panel file, replayed on a small picture as a load
// replays it: the fields from the effect name on.
#include "panel/effects/effect_replay.h"

#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString record = QString::fromUtf8(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    QImage original(24, 16, QImage::Format_RGB32);
    for (int y = 0; y < original.height(); ++y)
        for (int x = 0; x < original.width(); ++x)
            original.setPixel(x, y, qRgb(x * 10, y * 15, (x * y) % 256));
    QImage image = original;
    kq::panel::UnattendedEffect control;
    const kq::panel::EffectStatus status = kq::panel::ReplayEffect(image, record.split(QLatin1Char(',')), control);
    if (status != kq::panel::EffectStatus::Applied) {
        // A refused record leaves the picture as it was.
        if (image != original)
            std::abort();
        return 0;
    }
    // Whatever a file asks for, the work and the picture stay bounded.
    if (image.isNull() || image.format() != QImage::Format_RGB32 || image.width() > 6000 || image.height() > 6000)
        std::abort();
    return 0;
}
