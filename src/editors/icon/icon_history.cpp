#include "editors/icon/icon_history.h"

#include <algorithm>

namespace kq {

void IconHistory::Record(const IconRow::Slots &before)
{
    m_valueSlot.reset();
    m_redo.clear();
    Push(before);
}

void IconHistory::RecordValueChange(const IconRow::Slots &before, int slot)
{
    const bool sameSlider = m_valueSlot == slot && !m_undo.isEmpty() && m_undo.constLast().has_value();
    m_redo.clear();
    if (!sameSlider)
        Push(before);
    m_valueSlot = slot;
}

std::optional<IconRow::Slots> IconHistory::Undo(const IconRow::Slots &current)
{
    m_valueSlot.reset();
    while (!m_undo.isEmpty() && !m_undo.constLast())
        m_undo.removeLast();
    if (m_undo.isEmpty())
        return std::nullopt;
    const IconRow::Slots before = *m_undo.takeLast();
    m_redo.append(current);
    return before;
}

std::optional<IconRow::Slots> IconHistory::Redo(const IconRow::Slots &current)
{
    m_valueSlot.reset();
    if (m_redo.isEmpty())
        return std::nullopt;
    const IconRow::Slots after = m_redo.takeLast();
    Push(current);
    return after;
}

void IconHistory::MarkSaved()
{
    m_valueSlot.reset();
    if (!IsMarkedSaved())
        m_undo.append(std::nullopt);
}

bool IconHistory::IsMarkedSaved() const
{
    return !m_undo.isEmpty() && !m_undo.constLast();
}

void IconHistory::Clear()
{
    m_undo.clear();
    m_redo.clear();
    m_valueSlot.reset();
}

int IconHistory::UndoCount() const
{
    return int(std::count_if(m_undo.begin(), m_undo.end(), [](const auto &entry) { return entry.has_value(); }));
}

void IconHistory::Push(const IconRow::Slots &before)
{
    m_undo.append(before);
    // Marks of saves do not count: the pupil always gets the last ten edits.
    while (UndoCount() > kIconUndoLimit)
        m_undo.removeFirst();
}

}  // namespace kq
