#pragma once

#include <QString>
#include <QStringList>

namespace kq {

// What an undo record restores; the number is the record's type in its text.
enum class UndoType : int {
    Place = 1,
    Delete = 2,
    Parameters = 3,
    NextArrow = 4,
    Unlink = 5,
    Align = 6,
    Paste = 7,
    Replace = 8,
    Move = 9,
    SwitchRoutine = 10,
    Saved = 20,
};

inline constexpr int kUndoLimit = 10;

// One entry of the undo or redo stack: the type and the node lines (or, for
// a routine switch, the routine shown before it).
struct UndoRecord {
    UndoType type = UndoType::Saved;
    QStringList nodeLines;
    int routine = 0;  // SwitchRoutine only
    // Delete only: the first deletedCount lines are the deleted boxes, the
    // rest their partners, so that redo knows which boxes to empty again.
    int deletedCount = 0;

    // "type=line/line/..."; "10=routine"; the saved marker "20=0".
    QString Text() const;
    bool operator==(const UndoRecord &) const = default;
};

inline const QString kSavedMarker = QStringLiteral("20=0");

}  // namespace kq
