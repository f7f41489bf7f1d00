#include "panel/model/panel_record.h"

namespace kq::panel {

QStringList RecordFields(const QString &line)
{
    return line.split(QLatin1Char(','));
}

std::optional<int> RecordLayer(const QString &line)
{
    bool ok = false;
    const int layer = line.section(QLatin1Char(','), 0, 0).trimmed().toInt(&ok);
    return ok ? std::optional<int>(layer) : std::nullopt;
}

RecordKind KindOfRecord(const QString &line)
{
    const QString kind = RecordField(line, 2);
    if (kind == kBackgroundKind)
        return RecordKind::Background;
    if (kind == kPhotoKind)
        return RecordKind::Photo;
    if (kind == kPartKind)
        return RecordKind::Part;
    if (kind == kTextKind)
        return RecordKind::Text;
    if (kind == kProcessingKind)
        return RecordKind::Processing;
    return RecordKind::Other;
}

QString RecordField(const QString &line, int number)
{
    return line.section(QLatin1Char(','), number - 1, number - 1);
}

}  // namespace kq::panel
