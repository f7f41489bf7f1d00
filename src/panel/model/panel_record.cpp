#include "panel/model/panel_record.h"

#include "base/text_file.h"

#include <algorithm>
#include <limits>

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

QString WithRecordField(const QString &line, int number, const QString &value)
{
    QStringList fields = RecordFields(line);
    while (fields.size() < number)
        fields.append(QString());
    fields[number - 1] = value;
    return fields.join(QLatin1Char(','));
}

namespace {

bool Cp932CanHold(const QString &text)
{
    return bool(EncodeTextLines({text}));
}

// "ü" -> "u": the letter without the marks CP932 cannot hold; empty when
// nothing holdable is left.
QString PlainLetters(const QString &character)
{
    QString plain;
    for (const QChar c : character.normalized(QString::NormalizationForm_KD)) {
        if (c.category() != QChar::Mark_NonSpacing)
            plain.append(c);
    }
    return !plain.contains(QLatin1Char(',')) && Cp932CanHold(plain) ? plain : QString();
}

}  // namespace

QString StorableRecordPath(const QString &path)
{
    if (!path.contains(QLatin1Char(',')) && Cp932CanHold(path))
        return path;
    QString stored;
    for (qsizetype i = 0; i < path.size();) {
        const qsizetype length =
            path.at(i).isHighSurrogate() && i + 1 < path.size() && path.at(i + 1).isLowSurrogate() ? 2 : 1;
        const QString character = path.mid(i, length);
        i += length;
        if (character != QLatin1String(",") && Cp932CanHold(character)) {
            stored += character;
            continue;
        }
        const QString plain = PlainLetters(character);
        stored += plain.isEmpty() ? QStringLiteral("_") : plain;
    }
    return stored;
}

QStringList SortRecordsByLayer(const QStringList &records)
{
    QStringList sorted = records;
    const auto key = [](const QString &line) { return RecordLayer(line).value_or(std::numeric_limits<int>::max()); };
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&key](const QString &a, const QString &b) { return key(a) < key(b); });
    return sorted;
}

}  // namespace kq::panel
