#include "editors/icon/icon_program.h"

#include "model/catalogue.h"
#include "model/instruction_starts.h"

#include <algorithm>

namespace kq {

namespace {

// The icon row's program as the encoder's single routine: start in slot 0,
// the icons after it, end last, each slot leading to the next.
Routine RoutineOf(const IconRow &row, int generation)
{
    Routine routine;
    int slot = 0;
    routine[slot] = InstructionRecord{InstructionKind::Start, {}, slot + 1, std::nullopt};
    for (const std::optional<IconSlot> &icon : row.SlotsOf()) {
        if (!icon)
            continue;
        ++slot;
        const ProgramLine line = ProgramLineOf(*icon, generation);
        routine[slot] = InstructionRecord{line.kind, line.params, slot + 1, std::nullopt};
    }
    ++slot;
    routine[slot] = InstructionRecord{InstructionKind::End, {}, std::nullopt, std::nullopt};
    return routine;
}

bool IsColourComponent(int value)
{
    return value == 0 || value == 255;
}

// The lamp icon whose colour is red, green, blue (all 0 or 255).
int LampIconOf(int red, int green, int blue)
{
    for (int icon = 0; icon <= kLampOffIcon; ++icon) {
        if (ColourRgbOf(icon) == Rgb{red, green, blue})
            return icon;
    }
    return kLampOffIcon;
}

int Clamped(int value, SliderKind kind)
{
    const SliderRange range = SliderRangeOf(kind);
    return std::clamp(value, range.minimum, range.maximum);
}

// The slot that shows the line, or nullopt when no icon can show it.
std::optional<IconSlot> SlotOf(const ProgramLine &line, int generation)
{
    const int v = line.params.variant;
    const auto &p = line.params.p;
    switch (line.kind) {
    case InstructionKind::FullTime: {
        if (v < 0 || v > 2 || !IsColourComponent(p[0]) || !IsColourComponent(p[1]) || !IsColourComponent(p[2]))
            return std::nullopt;
        const int icon = LampIconOf(p[0], p[1], p[2]);
        if (icon == kLampOffIcon && v != 0)
            return std::nullopt;
        IconSlot slot{icon, v, std::nullopt};
        if (v == 0)
            slot.value = Clamped(p[3], SliderKind::Time);
        return slot;
    }
    case InstructionKind::LightLed:
        if (v != 0 || p[0] != 100)
            return std::nullopt;
        return IconSlot{kBacklightIcon, 0, Clamped(p[1], SliderKind::Time)};
    case InstructionKind::Sound:
        if (v < 0 || v > 3)
            return std::nullopt;
        return IconSlot{kToneIcon, v, std::nullopt};
    case InstructionKind::Timer:
        if (v != 0)
            return std::nullopt;
        return IconSlot{kTimerIcon, 0, Clamped(p[0], SliderKind::Seconds)};
    case InstructionKind::Wait: {
        if (v < 0 || v > 5)
            return std::nullopt;
        IconSlot slot{kWaitSoundIcon + v, 0, std::nullopt};
        if (slot.icon == kWaitTemperatureIcon)
            slot.value = Clamped(p[0], SliderKind::Temperature);
        else if (SliderOf(slot.icon, 0, generation))
            slot.value = Clamped(p[0], SliderKind::Brightness);
        return slot;
    }
    case InstructionKind::Loop:
        if (v == 0)
            return IconSlot{kRepeatStartIcon, 0, Clamped(p[0], SliderKind::Count)};
        return IconSlot{kRepeatEndIcon, 0, std::nullopt};
    case InstructionKind::Output:
        if (v != 0)
            return std::nullopt;
        return IconSlot{kSignalOutputIcon, 0, std::nullopt};
    default:
        return std::nullopt;
    }
}

}  // namespace

bool CheckIconLoops(const IconRow &row)
{
    bool open = false;
    for (const std::optional<IconSlot> &slot : row.SlotsOf()) {
        if (!slot)
            continue;
        if (slot->icon == kRepeatStartIcon) {
            if (open)
                return false;
            open = true;
        } else if (slot->icon == kRepeatEndIcon) {
            if (!open)
                return false;
            open = false;
        }
    }
    return !open;
}

QStringList IconProgramLines(const IconRow &row, int generation)
{
    QStringList lines{kStartLine};
    for (const std::optional<IconSlot> &slot : row.SlotsOf()) {
        if (slot)
            lines.append(ProgramLineOf(*slot, generation).ToText());
    }
    lines.append(kEndLine);
    return lines;
}

ByteList EncodeIconRow(const IconRow &row, int generation)
{
    ByteList bytes = EncodeProgram(Routines{RoutineOf(row, generation)}, generation);
    // The clock reads one byte past the program's end.
    bytes.append(0);
    return bytes;
}

std::map<int, int> IconSlotsByAddress(const IconRow &row, int generation)
{
    // The routine holds the occupied slots in row order after its start.
    std::vector<int> rowSlots;
    for (int slot = 0; slot < kIconSlotCount; ++slot) {
        if (row.At(slot))
            rowSlots.push_back(slot);
    }
    std::map<int, int> slotOfAddress;
    for (const InstructionStart &start : InstructionStarts(Routines {RoutineOf(row, generation)}, generation)) {
        if (start.slot >= 1 && start.slot <= int(rowSlots.size()))
            slotOfAddress[start.address] = rowSlots[std::size_t(start.slot - 1)];
    }
    return slotOfAddress;
}

int IconMemoryCount(const IconRow &row, int generation)
{
    int count = 0;
    for (const std::optional<IconSlot> &slot : row.SlotsOf()) {
        if (slot) {
            const ProgramLine line = ProgramLineOf(*slot, generation);
            count += CommandSizeOf(line.kind, line.params, generation);
        }
    }
    return count;
}

QStringList IconReportEntries(const IconRow &row)
{
    QStringList entries;
    for (const std::optional<IconSlot> &slot : row.SlotsOf()) {
        if (slot)
            entries.append(ReportEntryOf(*slot));
    }
    return entries;
}

IconLinesResult LinesToIcons(const QStringList &programLines, int generation)
{
    const QStringList range = ProgramLinesRange(programLines);
    if (range.isEmpty())
        return{std::nullopt, kIconForeignInstructionMessage};

    IconRow row;
    int next = 0;
    for (const QString &text : range.mid(1, range.size() - 2)) {
        const std::optional<ProgramLine> line = ParseProgramLine(text);
        const std::optional<IconSlot> slot = line ? SlotOf(*line, generation) : std::nullopt;
        // More instructions than slots would be a program cut short.
        if (!slot || next >= kIconSlotCount)
            return{std::nullopt, kIconForeignInstructionMessage};
        row.Set(next++, slot);
    }
    return{row, QString()};
}

}  // namespace kq
