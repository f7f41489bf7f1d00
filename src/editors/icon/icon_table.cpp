#include "editors/icon/icon_table.h"

#include "model/catalogue.h"

namespace kq {

namespace {

QString QuarterSeconds(int value)
{
    return QString::number(value * 0.25, 'g', 15);
}

int ValueOrInitial(const IconSlot &slot, SliderKind kind)
{
    return slot.value.value_or(SliderRangeOf(kind).initial);
}

ProgramLine Line(InstructionKind kind, int variant, std::array<int, kParameterSlots> p = {})
{
    return{kind, ParameterList{variant, p}};
}

}  // namespace

const QList<PalettePlace> &IconPalette()
{
    static const QList<PalettePlace> palette = {
        {0, 1, 1},  {1, 1, 2},  {2, 1, 3},  {3, 2, 1},  {4, 2, 2},  {5, 2, 3},  {6, 3, 1},  {7, 3, 2},
        {8, 3, 3},  {9, 4, 1},  {11, 4, 2}, {12, 4, 3}, {10, 5, 1}, {13, 5, 2}, {14, 5, 3}, {15, 6, 1},
        {16, 6, 2}, {17, 7, 1}, {18, 7, 2}, {19, 7, 3}, {30, 8, 1}, {31, 8, 2},
    };
    return palette;
}

SliderRange SliderRangeOf(SliderKind kind)
{
    switch (kind) {
    case SliderKind::Time:
        return{1, 127, 3, 1};
    case SliderKind::Seconds:
        return{1, 255, 5, 1};
    case SliderKind::Temperature:
        return{1, 50, 2, 25};
    case SliderKind::Count:
        return{1, 255, 2, 1};
    case SliderKind::Brightness:
        break;
    }
    return{0, 100, 2, 50};
}

QString SliderCaption(SliderKind kind, int value)
{
    const QString number = QString::number(value);
    switch (kind) {
    case SliderKind::Time:
        return QStringLiteral("秒数： ") + QuarterSeconds(value) + QStringLiteral("秒");
    case SliderKind::Seconds:
        return QStringLiteral("秒数： ") + number + QStringLiteral("秒");
    case SliderKind::Temperature:
        return QStringLiteral("温度： ") + number + QStringLiteral("度");
    case SliderKind::Count:
        return QStringLiteral("回数： ") + number + QStringLiteral("回");
    case SliderKind::Brightness:
        break;
    }
    return QStringLiteral("明るさ： ") + number;
}

std::optional<SliderKind> SliderOf(int icon, int choice, int generation)
{
    if (IsLampIcon(icon))
        return choice == 0 ? std::optional(SliderKind::Time) : std::nullopt;
    switch (icon) {
    case kBacklightIcon:
        return SliderKind::Time;
    case kWaitBrightIcon:
    case kWaitDarkIcon:
        return generation == kOlderGeneration ? std::nullopt : std::optional(SliderKind::Brightness);
    case kWaitTemperatureIcon:
        return SliderKind::Temperature;
    case kRepeatStartIcon:
        return SliderKind::Count;
    case kTimerIcon:
        return SliderKind::Seconds;
    default:
        return std::nullopt;
    }
}

QStringList ChoicesOf(int icon)
{
    if (icon == kLampOffIcon)
        return{QStringLiteral("LED消灯")};
    if (IsLampIcon(icon))
        return{QStringLiteral("LED点灯"), QStringLiteral("フェードイン"), QStringLiteral("フェードアウト")};
    if (icon == kToneIcon)
        return{QStringLiteral("確認音１"), QStringLiteral("確認音２"), QStringLiteral("確認音３"),
                QStringLiteral("音データ再生")};
    return {};
}

IconSlot NewIconSlot(int icon, int generation)
{
    IconSlot slot{icon, 0, std::nullopt};
    if (const std::optional<SliderKind> slider = SliderOf(icon, 0, generation))
        slot.value = SliderRangeOf(*slider).initial;
    return slot;
}

ProgramLine ProgramLineOf(const IconSlot &slot, int generation)
{
    if (IsLampIcon(slot.icon)) {
        const Rgb rgb = ColourRgbOf(slot.icon);
        // Fades always take the clock's fixed fade time.
        const int time = slot.choice == 0 ? ValueOrInitial(slot, SliderKind::Time) : 4;
        return Line(InstructionKind::FullTime, slot.choice, {rgb.red, rgb.green, rgb.blue, time, 0});
    }
    switch (slot.icon) {
    case kBacklightIcon:
        return Line(InstructionKind::LightLed, 0, {100, ValueOrInitial(slot, SliderKind::Time)});
    case kWaitSoundIcon:
        return Line(InstructionKind::Wait, 0);
    case kWaitSwitchIcon:
        return Line(InstructionKind::Wait, 1);
    case kWaitBrightIcon:
    case kWaitDarkIcon: {
        const int variant = slot.icon == kWaitBrightIcon ? 2 : 3;
        if (generation == kOlderGeneration)
            return Line(InstructionKind::Wait, variant);
        return Line(InstructionKind::Wait, variant, {ValueOrInitial(slot, SliderKind::Brightness)});
    }
    case kWaitTemperatureIcon:
        return Line(InstructionKind::Wait, 4, {ValueOrInitial(slot, SliderKind::Temperature)});
    case kWaitSignalIcon:
        return Line(InstructionKind::Wait, 5);
    case kRepeatStartIcon:
        return Line(InstructionKind::Loop, 0, {ValueOrInitial(slot, SliderKind::Count)});
    case kRepeatEndIcon:
        return Line(InstructionKind::Loop, 1);
    case kTimerIcon:
        return Line(InstructionKind::Timer, 0, {ValueOrInitial(slot, SliderKind::Seconds)});
    case kToneIcon:
        return Line(InstructionKind::Sound, slot.choice);
    default:
        break;
    }
    return Line(InstructionKind::Output, 0);
}

QString ReportEntryOf(const IconSlot &slot)
{
    QString description;
    if (IsLampIcon(slot.icon)) {
        const QString lamp = QStringLiteral("フルカラーLED") + ColourNameOf(slot.icon);
        if (slot.choice == 1)
            description = lamp + QStringLiteral("フェードイン");
        else if (slot.choice == 2)
            description = lamp + QStringLiteral("フェードアウト");
        else
            description = lamp + QStringLiteral("点灯") + QuarterSeconds(ValueOrInitial(slot, SliderKind::Time))
                + QStringLiteral("秒");
    } else {
        switch (slot.icon) {
        case kBacklightIcon:
            description = QStringLiteral("バックライト点灯") + QuarterSeconds(ValueOrInitial(slot, SliderKind::Time))
                + QStringLiteral("秒");
            break;
        case kWaitSoundIcon:
            description = QStringLiteral("音入力があるまで停止");
            break;
        case kWaitSwitchIcon:
            description = QStringLiteral("SW入力があるまで停止");
            break;
        case kWaitBrightIcon:
            description = QStringLiteral("明るくなるまで停止");
            break;
        case kWaitDarkIcon:
            description = QStringLiteral("暗くなるまで停止");
            break;
        case kWaitTemperatureIcon:
            description = QStringLiteral("設定温度になるまで停止")
                + QString::number(ValueOrInitial(slot, SliderKind::Temperature)) + QStringLiteral("度");
            break;
        case kWaitSignalIcon:
            description = QStringLiteral("信号入力があるまで停止");
            break;
        case kRepeatStartIcon:
            description = QStringLiteral("繰り返し開始") + QString::number(ValueOrInitial(slot, SliderKind::Count))
                + QStringLiteral("回");
            break;
        case kRepeatEndIcon:
            description = QStringLiteral("繰り返し終了");
            break;
        case kTimerIcon:
            description = QStringLiteral("タイマー") + QString::number(ValueOrInitial(slot, SliderKind::Seconds))
                + QStringLiteral("秒");
            break;
        case kToneIcon:
            description = slot.choice == 3 ? QStringLiteral("音プログラム再生")
                                           : QStringLiteral("確認音 ") + QString::number(slot.choice + 1);
            break;
        default:
            description = QStringLiteral("信号出力");
            break;
        }
    }
    return QString::number(slot.icon) + u',' + description;
}

}  // namespace kq
