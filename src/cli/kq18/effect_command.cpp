// effect RECORD IN OUT: one processing record (from the effect name on, e.g.
// "Blur,0/0/0/0/0/0/0/0,10") applied to a picture, as loading a panel does.
#include "cli/kq18/tool_command.h"

#include "panel/effects/effect_replay.h"

#include <QImageReader>

namespace kq::kq18tool {

int RunEffect(const QStringList &arguments)
{
    if (arguments.size() != 3)
        return Fail(kUsageOrUnreadable, QStringLiteral("usage: kq18-tool effect RECORD IN OUT"));
    const QString &record = arguments.at(0);
    const QString &in = arguments.at(1);
    const QString &out = arguments.at(2);
    const QByteArray format = OutputFormat(out);
    if (format.isEmpty())
        return Fail(kUsageOrUnreadable, QStringLiteral("kq18-tool: cannot write pictures named ") + out);

    QImageReader reader(in);
    QImage image = reader.read();
    if (image.isNull())
        return Fail(kUsageOrUnreadable, QStringLiteral("kq18-tool: ") + in + QStringLiteral(" cannot be read: ")
                                            + reader.errorString());
    image = image.convertToFormat(QImage::Format_RGB32);

    const QStringList fields = record.split(QLatin1Char(','));
    panel::UnattendedEffect control;
    switch (panel::ReplayEffect(image, fields, control)) {
    case panel::EffectStatus::Applied:
        break;
    case panel::EffectStatus::UnknownName:
        return Fail(kRefused, QStringLiteral("kq18-tool: not an effect of the panel maker: ") + fields.first());
    case panel::EffectStatus::BadFields:
    case panel::EffectStatus::Cancelled:
        return Fail(kRefused, QStringLiteral("kq18-tool: the fields of this ") + fields.first()
                                  + QStringLiteral(" record are missing or not numbers, or miss the picture: ")
                                  + record);
    }
    if (!WritePicture(image, out, format))
        return Fail(kUsageOrUnreadable, QStringLiteral("kq18-tool: ") + out + QStringLiteral(" could not be written"));
    return kSuccess;
}

}  // namespace kq::kq18tool
