#pragma once

#include "model/program_lines.h"

#include <QString>
#include <QStringList>

#include <optional>

// The icons of STEP1: what each shows under it (a choice list, a slider or
// nothing), the program line it stands for and its report entry.
namespace kq {

inline constexpr int kIconSlotCount = 24;
inline constexpr int kLampOffIcon = 7;
inline constexpr int kBacklightIcon = 8;
inline constexpr int kWaitSoundIcon = 9;
inline constexpr int kWaitSwitchIcon = 10;
inline constexpr int kWaitBrightIcon = 11;
inline constexpr int kWaitDarkIcon = 12;
inline constexpr int kWaitTemperatureIcon = 13;
inline constexpr int kWaitSignalIcon = 14;
inline constexpr int kRepeatStartIcon = 15;
inline constexpr int kRepeatEndIcon = 16;
inline constexpr int kTimerIcon = 17;
inline constexpr int kToneIcon = 18;
inline constexpr int kSignalOutputIcon = 19;
// Tools of the palette: they change the row instead of filling a slot.
inline constexpr int kDeleteToolIcon = 30;
inline constexpr int kInsertToolIcon = 31;

// Icons 0..6 light the lamp in a palette colour, 7 turns it off.
constexpr bool IsLampIcon(int icon)
{
    return icon >= 0 && icon <= kLampOffIcon;
}
// The icons a slot can hold (the tools excluded).
constexpr bool IsSlotIcon(int icon)
{
    return icon >= 0 && icon <= kSignalOutputIcon;
}
constexpr bool IsPaletteIcon(int icon)
{
    return IsSlotIcon(icon) || icon == kDeleteToolIcon || icon == kInsertToolIcon;
}

// Palette order: the icons row by row, column by column.
struct PalettePlace {
    int icon = 0;
    int row = 1;  // 1..8
    int column = 1;  // 1..3
};
const QList<PalettePlace> &IconPalette();

enum class SliderKind {
    Time,
    Seconds,
    Temperature,
    Count,
    Brightness
};

struct SliderRange {
    int minimum = 0;
    int maximum = 0;
    int pageStep = 1;
    int initial = 0;
};
SliderRange SliderRangeOf(SliderKind kind);
// The caption above the slider for value.
QString SliderCaption(SliderKind kind, int value);

// The slider an icon shows with that choice under that generation, if any.
std::optional<SliderKind> SliderOf(int icon, int choice, int generation);
// The choice list under the icon; empty when it has none.
QStringList ChoicesOf(int icon);

// An occupied slot: the icon and its settings. value is the slider's
// position; nullopt while the icon shows no slider.
struct IconSlot {
    int icon = 0;
    int choice = 0;
    std::optional<int> value;
    bool operator==(const IconSlot &) const = default;
};

// A freshly dropped icon with its initial settings.
IconSlot NewIconSlot(int icon, int generation);

// The slot's instruction; value stands at its slider's initial position
// where the slot has none that the generation asks for.
ProgramLine ProgramLineOf(const IconSlot &slot, int generation);

// "n,description" as the report lists the icon.
QString ReportEntryOf(const IconSlot &slot);

}  // namespace kq
