#include "panel/menu/part_position.h"

#include "panel/model/kit_model.h"

#include <QFileInfo>

#include <optional>

namespace kq::panel {

namespace {

std::optional<int> NameNumber(const QString &baseName)
{
    bool ok = false;
    const int number = baseName.toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

QPoint ByNumber(const QString &baseName, int above, QPoint high, QPoint otherwise)
{
    const std::optional<int> number = NameNumber(baseName);
    return number && *number > above ? high : otherwise;
}

}  // namespace

QPoint PresetPartPosition(const KitModel &model, const QString &fileName)
{
    const QFileInfo info(fileName);
    const QString baseName = info.completeBaseName();
    if (model.code == QLatin1String("TL-1")) {
        static const QStringList kSideParts = {QStringLiteral("P9"),  QStringLiteral("P10"), QStringLiteral("P11"),
                                               QStringLiteral("P12"), QStringLiteral("P13"), QStringLiteral("P14")};
        const bool isGif = info.suffix().compare(QLatin1String("gif"), Qt::CaseInsensitive) == 0;
        return isGif && kSideParts.contains(baseName, Qt::CaseInsensitive) ? QPoint(362, 43) : QPoint(0, 0);
    }
    if (model.code == QLatin1String("TL-2"))
        return ByNumber(baseName, 9, {144, 523}, {141, 144});
    if (model.code == QLatin1String("TL-6"))
        return ByNumber(baseName, 29, {110, 528}, {63, 104});
    return {0, 0};
}

}  // namespace kq::panel
