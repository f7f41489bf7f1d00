#pragma once

#include "editors/text/keyword_file.h"

#include <QString>
#include <QStringList>

#include <optional>

// One normalised statement line taken apart and checked against its slot.
namespace kq {

struct TextStatement {
    int slot = 0;
    QString keyword;
    QString argumentText;
    QStringList arguments;  // empty for no arguments
};

struct TextCondition {
    int variant = 0;
    int threshold = 0;  // 0 for the forms without a number
};

// nullopt when the line is not a valid statement of its slot.
[[nodiscard]] std::optional<TextStatement> ParseStatement(const QString &line, const KeywordFile &keywords);

// An if's argument: the switch, brightness and temperature forms.
[[nodiscard]] std::optional<TextCondition> ParseCondition(const QString &condition);

// A time in seconds in plain decimal notation ("2.5", "1", ".25").
[[nodiscard]] std::optional<double> DecimalValueOf(QStringView text);
// A listed time as 0.25 s steps, 1..127.
[[nodiscard]] std::optional<int> QuarterStepsOf(QStringView text);
// A train time as 0.1 s steps, 1..255: ten times the value must be whole.
[[nodiscard]] std::optional<int> TenthStepsOf(QStringView text);

// The shortest decimal form (1, 0.25, 1.5).
QString ShortestDecimal(double value);

}  // namespace kq
