#pragma once

#include "editors/icon/icon_table.h"

#include <array>
#include <optional>

namespace kq {

// The 24 slots of a STEP1 program and the gestures that change them. The
// program runs the occupied slots in slot order; empty slots are skipped.
// Slot numbers outside 0..23 change nothing.
class IconRow {
public:
    using Slots = std::array<std::optional<IconSlot>, kIconSlotCount>;

    const Slots &SlotsOf() const { return m_slots; }
    const std::optional<IconSlot> &At(int slot) const;
    bool IsEmpty() const;
    bool operator==(const IconRow &other) const { return m_slots == other.m_slots; }

    void Clear();
    // Puts content into the slot as it is (an empty optional empties it).
    void Set(int slot, const std::optional<IconSlot> &content);

    // A palette icon dropped on a slot: the insert tool shifts slot..22 one
    // to the right (slot 23's content is lost) and empties the slot; the
    // delete tool shifts slot+1..23 one to the left and empties slot 23;
    // any other icon replaces the slot by that icon with its initial settings.
    void Drop(int icon, int slot, int generation);

    // A new choice: a lamp gets its time slider back at its initial position
    // with "LED点灯", and loses it with a fade. False when nothing changed.
    bool SetChoice(int slot, int choice);
    // The slider moved; ignored for a slot without a slider.
    void SetValue(int slot, int value);
    // A lamp (0..7) takes the colour icon colour (0..7); "消灯" keeps only
    // "LED消灯" and needs a time, a colour from "消灯" lights for that time,
    // and between colours the settings stay.
    void Recolour(int slot, int colour);

    void Copy(int slot);
    // The copy source's current content, an empty slot included.
    void Paste(int slot);
    std::optional<int> CopySource() const { return m_copySource; }

    // Icons 11 and 12 show their brightness slider only under the current
    // generation.
    void AdaptToGeneration(int generation);

private:
    static bool IsSlot(int slot) { return slot >= 0 && slot < kIconSlotCount; }

    Slots m_slots;
    std::optional<int> m_copySource;
};

}  // namespace kq
