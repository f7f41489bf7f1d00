#include "editors/icon/icon_section.h"

#include <optional>

namespace kq {

namespace {

const QString kEmptySlotLine = QStringLiteral("-1");

// Plain decimal digits only: the files hold what the studio wrote.
std::optional<int> NumberOf(const QString &field)
{
    if (field.isEmpty() || field.size() > 4)
        return std::nullopt;
    for (const QChar c : field) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    return field.toInt();
}

std::optional<int> SliderValueOf(const QStringList &fields, int index, SliderKind kind)
{
    if (fields.size() <= index)
        return std::nullopt;
    const std::optional<int> value = NumberOf(fields[index]);
    const SliderRange range = SliderRangeOf(kind);
    if (!value || *value < range.minimum || *value > range.maximum)
        return std::nullopt;
    return value;
}

// The slot a line describes; nullopt for a damaged line.
std::optional<IconSlot> SlotOfLine(const QString &line, int generation)
{
    const QStringList fields = line.split(u',');
    const std::optional<int> icon = NumberOf(fields.first());
    if (!icon || !IsSlotIcon(*icon))
        return std::nullopt;
    IconSlot slot{*icon, 0, std::nullopt};
    if (IsLampIcon(*icon) || *icon == kToneIcon) {
        const std::optional<int> choice = fields.size() > 1 ? NumberOf(fields[1]) : std::nullopt;
        if (!choice || *choice >= ChoicesOf(*icon).size())
            return std::nullopt;
        slot.choice = *choice;
    }
    if (const std::optional<SliderKind> slider = SliderOf(*icon, slot.choice, generation)) {
        // Lamps keep their time in the third field, the others in the second.
        slot.value = SliderValueOf(fields, IsLampIcon(*icon) ? 2 : 1, *slider);
        if (!slot.value)
            return std::nullopt;
    }
    return slot;
}

}  // namespace

QStringList IconSectionLines(const IconRow &row, int generation)
{
    QStringList lines;
    for (const std::optional<IconSlot> &slot : row.SlotsOf()) {
        if (!slot) {
            lines.append(kEmptySlotLine);
            continue;
        }
        QString line = QString::number(slot->icon) + u',';
        const std::optional<SliderKind> slider = SliderOf(slot->icon, slot->choice, generation);
        const int value = slider ? slot->value.value_or(SliderRangeOf(*slider).initial) : 0;
        if (IsLampIcon(slot->icon))
            line += QString::number(slot->choice) + u',' + QString::number(value);
        else if (slot->icon == kToneIcon)
            line += QString::number(slot->choice);
        else if (slider)
            line += QString::number(value);
        lines.append(line);
    }
    return lines;
}

bool ReadIconSection(const QStringList &section, int generation, IconRow &row)
{
    row.Clear();
    for (int slot = 0; slot < kIconSlotCount; ++slot) {
        if (slot >= section.size())
            return false;
        const QString &line = section[slot];
        if (line == kEmptySlotLine)
            continue;
        const std::optional<IconSlot> content = SlotOfLine(line, generation);
        if (!content)
            return false;
        row.Set(slot, content);
    }
    return true;
}

}  // namespace kq
