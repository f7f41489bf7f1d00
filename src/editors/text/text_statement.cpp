#include "editors/text/text_statement.h"

#include "base/text_helpers.h"

#include <QRegularExpression>

#include <cmath>
#include <span>

namespace kq {

namespace {

bool IsIntegerIn(const QString &text, int low, int high)
{
    const std::optional<int> value = IntegerValueOf(text);
    return value && *value >= low && *value <= high;
}

bool IsListed(const QString &text, const KeywordFile &keywords, int slot)
{
    return keywords.AllowedValuesOf(slot).contains(text);
}

// A listed time must also be a time the clock can hold, whatever the list says.
bool IsListedTime(const QString &text, const KeywordFile &keywords, int slot)
{
    return IsListed(text, keywords, slot) && QuarterStepsOf(text).has_value();
}

bool ArgumentsFit(int slot, const QStringList &a, const KeywordFile &keywords)
{
    switch (a.size()) {
    case 0:
        return (slot == 5) || (slot >= 7 && slot <= 14) || (slot >= 21 && slot <= 24) || slot == 26
            || (slot >= 28 && slot <= 30) || slot == 32 || slot == 33 || slot == 35 || slot == 36
            || (slot >= 39 && slot <= 44) || slot == 48;
    case 1:
        if (slot == 4)
            return IsListed(a[0], keywords, slot);
        if ((slot >= 15 && slot <= 19) || slot == 27 || slot == 31 || slot == 34)
            return IsIntegerIn(a[0], 1, 255);
        if (slot == 25)
            return IsIntegerIn(a[0], 1, 50);
        if (slot == 49 || slot == 50)
            return IsIntegerIn(a[0], 1, 100);
        if (slot == kIfSlot)
            return ParseCondition(a[0]).has_value();
        return false;
    case 2:
        if (slot == 6)
            return IsIntegerIn(a[0], 1, 100) && IsListedTime(a[1], keywords, slot);
        if (slot == 46 || slot == 47)
            return IsIntegerIn(a[0], 1, 255) && IsIntegerIn(a[1], 1, 100);
        if (slot == 20)
            return IsIntegerIn(a[0], 1, 255) && IsIntegerIn(a[1], 1, 50);
        if (slot == 37 || slot == 38)
            return TenthStepsOf(a[0]) && IsIntegerIn(a[1], 1, 10);
        return false;
    case 3:
        return (slot == 2 || slot == 3) && IsIntegerIn(a[0], 0, 255) && IsIntegerIn(a[1], 0, 255)
            && IsIntegerIn(a[2], 0, 255);
    case 4:
        return slot == 1 && IsIntegerIn(a[0], 0, 255) && IsIntegerIn(a[1], 0, 255) && IsIntegerIn(a[2], 0, 255)
            && IsListedTime(a[3], keywords, slot);
    default:
        return false;
    }
}

// The text from the first `mark` to the next one (or the end).
QString NumberAfter(const QString &condition, QChar mark)
{
    const qsizetype start = condition.indexOf(mark) + 1;
    const qsizetype end = condition.indexOf(mark, start);
    return end < 0 ? condition.mid(start) : condition.mid(start, end - start);
}

}  // namespace

std::optional<TextStatement> ParseStatement(const QString &line, const KeywordFile &keywords)
{
    const qsizetype open = line.indexOf(QLatin1Char('('));
    TextStatement statement;
    statement.keyword = open < 0 ? line : line.left(open);
    const std::optional<int> slot = keywords.SlotOfKeyword(statement.keyword);
    if (!slot || open < 0)
        return std::nullopt;
    statement.slot = *slot;

    QString rest = line.mid(open + 1);
    if (const qsizetype second = rest.indexOf(QLatin1Char('(')); second >= 0)
        rest.truncate(second);
    const qsizetype close = rest.indexOf(QLatin1Char(')'));
    statement.argumentText = close < 0 ? rest : rest.left(close);
    QString terminator;
    if (close >= 0) {
        const qsizetype next = rest.indexOf(QLatin1Char(')'), close + 1);
        terminator = next < 0 ? rest.mid(close + 1) : rest.mid(close + 1, next - close - 1);
    }
    if (terminator != (*slot == kIfSlot ? QStringLiteral("{") : QStringLiteral(";")))
        return std::nullopt;
    if (!statement.argumentText.isEmpty())
        statement.arguments = statement.argumentText.split(QLatin1Char(','));
    else if (line.mid(open + 1) != QStringLiteral(");"))
        return std::nullopt;
    if (!ArgumentsFit(*slot, statement.arguments, keywords))
        return std::nullopt;
    return statement;
}

std::optional<TextCondition> ParseCondition(const QString &condition)
{
    struct Fixed {
        const char16_t *text;
        int variant;
    };
    static const Fixed fixed[] = {{u"sw=on", 0}, {u"sw=off", 1}, {u"temp>x", 7}, {u"temp<x", 8}, {u"temp=x", 9}};
    for (const Fixed &form : fixed) {
        if (condition == QStringView(form.text))
            return TextCondition{form.variant, 0};
    }

    struct Form {
        const char16_t *text;
        char16_t mark;
        int variant;
        int high;
    };
    // Temperature before brightness: the first form of a kind the condition
    // holds anywhere decides where its number is cut out.
    static const Form temperature[] = {{u"temp>", u'>', 4, 50}, {u"temp<", u'<', 5, 50}, {u"temp=", u'=', 6, 50}};
    static const Form brightness[] = {{u"cds>", u'>', 2, 100}, {u"cds<", u'<', 3, 100}};
    for (const auto &forms : {std::span<const Form>(temperature), std::span<const Form>(brightness)}) {
        for (const Form &form : forms) {
            if (!condition.contains(QStringView(form.text)))
                continue;
            const std::optional<int> value = IntegerValueOf(NumberAfter(condition, QChar(form.mark)));
            if (!value || *value < 1 || *value > form.high)
                return std::nullopt;
            return TextCondition{form.variant, *value};
        }
    }
    return std::nullopt;
}

std::optional<double> DecimalValueOf(QStringView text)
{
    static const QRegularExpression pattern(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)$"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> QuarterStepsOf(QStringView text)
{
    const std::optional<double> value = DecimalValueOf(text);
    if (!value || *value < 0 || *value > 1000)
        return std::nullopt;
    const int steps = int(std::lround(*value / 0.25));
    if (steps < 1 || steps > 127)
        return std::nullopt;
    return steps;
}

std::optional<int> TenthStepsOf(QStringView text)
{
    const std::optional<double> value = DecimalValueOf(text);
    if (!value || std::abs(*value) > 1e6)
        return std::nullopt;
    const std::optional<int> tenths = IntegerValueOf(ShortestDecimal(*value * 10));
    if (!tenths || *tenths < 1 || *tenths > 255)
        return std::nullopt;
    return tenths;
}

QString ShortestDecimal(double value)
{
    return QString::number(value, 'g', 15);
}

}  // namespace kq
