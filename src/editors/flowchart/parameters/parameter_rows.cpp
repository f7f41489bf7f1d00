#include "editors/flowchart/parameters/parameter_rows.h"

#include "base/text_helpers.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace kq {

namespace {

constexpr int kLampQuarterSteps = 127;
constexpr int kByteMaximum = 255;
constexpr int kFadeTimeSteps = 4;
constexpr int kGradualTrainPower = 50;
// The drop dialog opens this far below the drop point.
constexpr int kDialogDrop = 40;

ValueRow Row(const char16_t *caption, const char16_t *unit, int minimum, int maximum, int defaultPosition,
             RowFactor factor = RowFactor::One)
{
    return ValueRow {
        true, QString::fromUtf16(caption), QString::fromUtf16(unit), minimum, maximum, defaultPosition, factor, false};
}

ValueRow Bounded(ValueRow row)
{
    row.refusesBelowMinimum = true;
    return row;
}

// A row whose value the variant fixes without showing it.
ValueRow Fixed(int position)
{
    return ValueRow {false, {}, {}, position, position, position, RowFactor::One, false};
}

ValueRow Brightness()
{
    return Bounded(Row(u"明るさ　：", u"", 0, 100, 50));
}

ValueRow Temperature()
{
    return Bounded(Row(u"温度　　：", u"度", 1, 50, 25));
}

ValueRow Seconds()
{
    return Bounded(Row(u"時間　　：", u"秒", 1, kByteMaximum, 1));
}

bool IsCurrent(int generation)
{
    return generation != kOlderGeneration;
}

double FactorOf(RowFactor factor)
{
    switch (factor) {
    case RowFactor::Quarter:
        return 0.25;
    case RowFactor::Tenth:
        return 0.1;
    case RowFactor::One:
        break;
    }
    return 1.0;
}

}  // namespace

QStringList VariantLabelsOf(InstructionKind kind, int generation, ControlsMode mode)
{
    QStringList labels = DialogLabelsOf(kind, generation);
    if (mode == ControlsMode::Dialog)
        return labels;
    if (kind == InstructionKind::Timer && labels.size() > 4) {
        labels[3] = QStringLiteral("動作停止(時間or明るくなる)");
        labels[4] = QStringLiteral("動作停止(時間or暗くなる)");
    }
    if (kind == InstructionKind::Train && labels.size() > 7)
        labels[7] = QStringLiteral("電車 停止");
    return labels;
}

RowSetup RowsOf(InstructionKind kind, int variant, int generation)
{
    RowSetup rows;
    switch (kind) {
    case InstructionKind::FullTime:
        rows[0] = Row(u"Red　（赤）:", u"", 0, kByteMaximum, 0);
        rows[1] = Row(u"Green（緑）:", u"", 0, kByteMaximum, 0);
        rows[2] = Row(u"Blue （青）:", u"", 0, kByteMaximum, 0);
        rows[3] = variant == 0 ? Row(u"点灯時間：", u"秒", 1, kLampQuarterSteps, 1, RowFactor::Quarter)
                               : Fixed(kFadeTimeSteps);
        break;
    case InstructionKind::LightLed:
        if (variant == 0) {
            rows[0] = Row(u"明るさ：", u"％", 0, 100, 100);
            rows[1] = Row(u"点灯時間：", u"秒", 1, kLampQuarterSteps, 1, RowFactor::Quarter);
        }
        break;
    case InstructionKind::Timer:
        rows[0] = Bounded(Row(u"停止時間：", u"秒", 1, kByteMaximum, 1));
        if ((variant == 3 || variant == 4) && IsCurrent(generation))
            rows[1] = Brightness();
        else if (variant == 5)
            rows[1] = Temperature();
        break;
    case InstructionKind::Wait:
        if ((variant == 2 || variant == 3) && IsCurrent(generation))
            rows[0] = Brightness();
        else if (variant == 4)
            rows[0] = Temperature();
        break;
    case InstructionKind::If:
        if ((variant == 2 || variant == 3) && IsCurrent(generation))
            rows[0] = Brightness();
        else if (variant >= 4 && variant <= 6)
            rows[0] = Temperature();
        break;
    case InstructionKind::Loop:
        if (variant == 0)
            rows[0] = Bounded(Row(u"繰返回数：", u"回", 1, kByteMaximum, 1));
        break;
    case InstructionKind::Routine:
        if (variant == 0)
            rows[0] = Bounded(Row(u"サブルーチン：", u"", 1, 4, 1));
        break;
    case InstructionKind::Output:
        if (variant == 1 || variant == 4)
            rows[0] = Seconds();
        break;
    case InstructionKind::Train:
        if (variant == 0 || variant == 1) {
            rows[0] = Row(u"時間　　：", u"秒", 1, kByteMaximum, 1, RowFactor::Tenth);
            rows[1] = Row(u"モーター出力：", u"", 1, 10, 10);
        } else if (variant >= 4 && variant <= 6) {
            rows[0] = Fixed(kGradualTrainPower);
        }
        break;
    default:
        break;
    }
    return rows;
}

QString ShownText(const ValueRow &row, int position)
{
    if (row.factor == RowFactor::One)
        return QString::number(position);
    // 15 significant digits write 3 × 0.1 as 0.3.
    return QString::number(position * FactorOf(row.factor), 'g', 15);
}

std::optional<int> CheckedPosition(const ValueRow &row, QStringView text)
{
    std::optional<int> position;
    if (row.factor == RowFactor::One) {
        // A whole number: an integer without a decimal point, "-0" excluded.
        if (!text.contains(u'.'))
            position = IntegerValueOf(text);
    } else {
        static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)$)"));
        if (!number.match(text).hasMatch())
            return std::nullopt;
        bool ok = false;
        const double value = text.toDouble(&ok);
        if (!ok)
            return std::nullopt;
        // Single precision keeps about seven digits, so 0.3 / 0.1 is exactly 3.
        const float quotient = static_cast<float>(value / FactorOf(row.factor));
        if (!std::isfinite(quotient) || quotient != std::floor(quotient) || quotient > row.maximum
            || quotient < static_cast<float>(std::numeric_limits<int>::min()))
            return std::nullopt;
        position = static_cast<int>(quotient);
    }
    if (!position || *position > row.maximum)
        return std::nullopt;
    if (*position < row.minimum && row.refusesBelowMinimum)
        return std::nullopt;
    return std::clamp(*position, row.minimum, row.maximum);
}

int PaletteNumberOfColour(const Rgb &colour)
{
    for (int number = 0; number < kPaletteSize - 1; ++number) {
        if (ColourRgbOf(number) == colour)
            return number;
    }
    return kPaletteSize - 1;
}

ParameterList BuildParameterList(InstructionKind kind, int variant, int generation,
                                 const std::array<int, kValueRows> &positions, const Rgb &swatch)
{
    ParameterList list;
    list.variant = variant;
    if (kind == InstructionKind::FullConti && variant == 0) {
        list.p[0] = PaletteNumberOfColour(swatch);
        return list;
    }
    const int count = std::min(ParameterCountOf(kind, variant, generation), kValueRows);
    for (int slot = 0; slot < count; ++slot)
        list.p[static_cast<std::size_t>(slot)] = positions[static_cast<std::size_t>(slot)];
    return list;
}

QPoint DialogPlacement(QPoint dropPoint, QSize dialogSize, QRect visibleSheet)
{
    const int sheetRight = visibleSheet.x() + visibleSheet.width();
    const int sheetBottom = visibleSheet.y() + visibleSheet.height();
    int left = dropPoint.x();
    if (left + dialogSize.width() > sheetRight)
        left -= dialogSize.width();
    int top = dropPoint.y() + kDialogDrop;
    if (top + dialogSize.height() > sheetBottom)
        top = sheetBottom - dialogSize.height();
    return {left, top};
}

}  // namespace kq
