#pragma once

#include "editors/icon/icon_row.h"

#include <QList>

#include <optional>

namespace kq {

inline constexpr int kIconUndoLimit = 10;

// The undo and redo lists of STEP1. Each entry holds the slots as they were
// before an edit, so undoing any gesture is putting them back; a save puts
// its mark on the undo list, as the flowchart's history does.
class IconHistory {
public:
    // An edit is about to replace before: the redo list is emptied and the
    // oldest edit beyond the limit is forgotten.
    void Record(const IconRow::Slots &before);
    // A slider step: the steps of one slider in a row are one edit, so a
    // drag does not fill the history.
    void RecordValueChange(const IconRow::Slots &before, int slot);

    // The slots to show instead of current, which the other list keeps;
    // nothing when there is nothing to undo or redo. Undo passes over the
    // mark of a save.
    [[nodiscard]] std::optional<IconRow::Slots> Undo(const IconRow::Slots &current);
    [[nodiscard]] std::optional<IconRow::Slots> Redo(const IconRow::Slots &current);

    void MarkSaved();
    // Nothing was done since the last save, or everything since was undone.
    bool IsMarkedSaved() const;
    void Clear();

    int UndoCount() const;
    int RedoCount() const { return int(m_redo.size()); }

private:
    void Push(const IconRow::Slots &before);

    // An empty entry is the mark of a save.
    QList<std::optional<IconRow::Slots>> m_undo;
    QList<IconRow::Slots> m_redo;
    // The slot whose slider the newest entry moved.
    std::optional<int> m_valueSlot;
};

}  // namespace kq
