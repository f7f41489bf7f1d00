#include "device/report_text.h"

#include "base/text_helpers.h"

#include <limits>

namespace kq {

QString ReceivedText(const QByteArray &data)
{
    return QString::fromLatin1(data.toHex().toUpper());
}

std::optional<int> TraceAddressOf(const QString &text)
{
    // Only the leading "11" marks an address report: a "11" further inside
    // belongs to some other report, a status value for instance.
    if (!text.startsWith(QStringLiteral("11")))
        return std::nullopt;
    const std::optional<quint32> address = HexToInt(QStringView(text).mid(2));
    if (!address || *address > quint32(std::numeric_limits<int>::max()))
        return std::nullopt;
    return int(*address);
}

QString MemoryByteOf(const QString &text)
{
    return text.mid(2);
}

void AppendToStatusLog(QStringList &log, const QString &text)
{
    if (!log.isEmpty() && log.last() == kStatusGroupText)
        log.clear();
    log.append(text);
}

std::optional<int> LowByteFirstValue(const QString &text)
{
    const QString digits = RemoveSpaces(text);
    if (digits.size() != 4)
        return std::nullopt;
    const std::optional<quint32> low = HexToInt(QStringView(digits).left(2));
    const std::optional<quint32> high = HexToInt(QStringView(digits).mid(2));
    if (!low || !high)
        return std::nullopt;
    return int(*high * 256 + *low);
}

void DropToMemoryStart(QStringList &dump)
{
    qsizetype start = 0;
    while (start < dump.size() && RemoveSpaces(dump[start]) != kMemoryStartLine)
        ++start;
    dump.remove(0, start);
}

}  // namespace kq
