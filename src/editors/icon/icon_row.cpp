#include "editors/icon/icon_row.h"

#include <algorithm>

namespace kq {

const std::optional<IconSlot> &IconRow::At(int slot) const
{
    static const std::optional<IconSlot> none;
    return IsSlot(slot) ? m_slots[slot] : none;
}

bool IconRow::IsEmpty() const
{
    return std::none_of(m_slots.begin(), m_slots.end(), [](const auto &slot) { return slot.has_value(); });
}

void IconRow::Clear()
{
    m_slots.fill(std::nullopt);
}

void IconRow::Set(int slot, const std::optional<IconSlot> &content)
{
    if (IsSlot(slot))
        m_slots[slot] = content;
}

void IconRow::Drop(int icon, int slot, int generation)
{
    if (!IsSlot(slot) || !IsPaletteIcon(icon))
        return;
    if (icon == kInsertToolIcon) {
        // The copied slot's content moves away from its number.
        m_copySource.reset();
        std::move_backward(m_slots.begin() + slot, m_slots.end() - 1, m_slots.end());
        m_slots[slot].reset();
    } else if (icon == kDeleteToolIcon) {
        std::move(m_slots.begin() + slot + 1, m_slots.end(), m_slots.begin() + slot);
        m_slots.back().reset();
    } else {
        m_slots[slot] = NewIconSlot(icon, generation);
    }
}

bool IconRow::SetChoice(int slot, int choice)
{
    if (!IsSlot(slot) || !m_slots[slot])
        return false;
    IconSlot &content = *m_slots[slot];
    if (content.choice == choice || choice < 0 || choice >= ChoicesOf(content.icon).size())
        return false;
    content.choice = choice;
    content.value.reset();
    if (IsLampIcon(content.icon) && choice == 0)
        content.value = SliderRangeOf(SliderKind::Time).initial;
    return true;
}

void IconRow::SetValue(int slot, int value)
{
    if (IsSlot(slot) && m_slots[slot] && m_slots[slot]->value)
        m_slots[slot]->value = value;
}

void IconRow::Recolour(int slot, int colour)
{
    if (!IsSlot(slot) || !m_slots[slot] || !IsLampIcon(m_slots[slot]->icon) || !IsLampIcon(colour))
        return;
    IconSlot &content = *m_slots[slot];
    if (colour == kLampOffIcon && content.choice != 0) {
        content.choice = 0;
        content.value = SliderRangeOf(SliderKind::Time).initial;
    }
    content.icon = colour;
}

void IconRow::Copy(int slot)
{
    if (IsSlot(slot) && m_slots[slot])
        m_copySource = slot;
}

void IconRow::Paste(int slot)
{
    if (IsSlot(slot) && m_copySource)
        m_slots[slot] = m_slots[*m_copySource];
}

void IconRow::AdaptToGeneration(int generation)
{
    for (std::optional<IconSlot> &slot : m_slots) {
        if (!slot || (slot->icon != kWaitBrightIcon && slot->icon != kWaitDarkIcon))
            continue;
        if (!SliderOf(slot->icon, 0, generation))
            slot->value.reset();
        else if (!slot->value)
            slot->value = SliderRangeOf(SliderKind::Brightness).initial;
    }
}

}  // namespace kq
