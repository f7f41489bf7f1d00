#include "base/text_helpers.h"

namespace kq {

QString FieldOf(QStringView text, int n, QChar separator)
{
    if (n < 1)
        return {};
    QStringView rest = text;
    for (int field = 1;; ++field) {
        const qsizetype cut = rest.indexOf(separator);
        if (cut < 0)
            return field == n ? rest.toString() : QString();
        if (field == n)
            return rest.left(cut).toString();
        rest = rest.mid(cut + 1);
    }
}

int FieldCount(QStringView text, QChar separator)
{
    if (text.isEmpty())
        return 0;
    return int(text.count(separator)) + 1;
}

int CommaCount(QStringView text)
{
    return int(text.count(QLatin1Char(',')));
}

QString RemoveSpaces(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (c != QLatin1Char(' '))
            result.append(c);
    }
    return result;
}

QString ReplaceAll(QStringView text, QStringView find, QStringView replacement)
{
    if (find.isEmpty())
        return text.toString();
    QString result;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(find, from);
        if (at < 0)
            break;
        result.append(text.mid(from, at - from));
        result.append(replacement);
        from = at + find.size();
    }
    result.append(text.mid(from));
    return result;
}

namespace {

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

std::optional<quint32> HexDigitsValue(QStringView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (QChar c : digits) {
        const int d = HexDigit(c);
        if (d < 0)
            return std::nullopt;
        value = value * 16 + quint64(d);
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    return quint32(value);
}

}  // namespace

std::optional<int> IntegerValueOf(QStringView text)
{
    if (text == u"-0")
        return std::nullopt;
    if (text.startsWith(QLatin1Char('$')) || text.startsWith(QLatin1Char('x')) || text.startsWith(QLatin1Char('X'))) {
        if (const auto v = HexDigitsValue(text.mid(1)))
            return int(*v);  // hexadecimal wraps into the negative range, as 32-bit integers do
        return std::nullopt;
    }
    if (text.startsWith(u"0x") || text.startsWith(u"0X")) {
        if (const auto v = HexDigitsValue(text.mid(2)))
            return int(*v);
        return std::nullopt;
    }
    QStringView digits = text;
    bool negative = false;
    if (!digits.isEmpty() && (digits.front() == QLatin1Char('+') || digits.front() == QLatin1Char('-'))) {
        negative = digits.front() == QLatin1Char('-');
        digits = digits.mid(1);
    }
    if (digits.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL || value < -2147483648LL)
        return std::nullopt;
    return int(value);
}

bool IsIntegerText(QStringView text)
{
    return IntegerValueOf(text).has_value();
}

std::optional<quint32> HexToInt(QStringView text)
{
    return HexDigitsValue(text);
}

QString ByteToBits(quint32 value, int width)
{
    QString result;
    const int digits = width * 8;
    for (int i = digits - 1; i >= 0; --i) {
        result.append(((quint64(value) >> i) & 1u) ? QLatin1Char('1') : QLatin1Char('0'));
        if (i % 4 == 0 && i != 0)
            result.append(QLatin1Char(' '));
    }
    return result;
}

quint32 BitsToInt(QStringView bits)
{
    quint32 value = 0;
    for (QChar c : bits)
        value = (value << 1) | (c == QLatin1Char('1') ? 1u : 0u);
    return value;
}

QString CleanTextLine(QStringView line)
{
    const qsizetype comment = line.indexOf(u"//");
    QStringView code = comment >= 0 ? line.left(comment) : line.chopped(std::min<qsizetype>(2, line.size()));
    QString result = RemoveSpaces(code);
    for (QChar &c : result) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return result;
}

bool HasItemWithThirdField(QStringView list, QStringView value)
{
    const int items = FieldCount(list, QLatin1Char('-'));
    for (int i = 1; i <= items; ++i) {
        if (FieldOf(FieldOf(list, i, QLatin1Char('-')), 3, QLatin1Char(',')) == value)
            return true;
    }
    return false;
}

}  // namespace kq
