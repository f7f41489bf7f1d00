#pragma once

#include "tools/melody/melody.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

// Where the staff and each note stand in the picture of a melody: the notes'
// x positions wrapped into rows of W − 30 pixels, one staff per row.
namespace kq {

inline constexpr int kStaffTop = 60;
inline constexpr int kRowHeight = 100;
inline constexpr int kEmptyStaffHeight = 160;
inline constexpr int kLineSpacing = 8;
inline constexpr int kStaffLines = 5;
inline constexpr QPoint kClefOrigin(20, 52);
// The part of a note's cell, from its glyph offset down, that a right-click hits.
inline constexpr int kHitHeight = 35;

struct PlacedNote {
    int column = 0;
    int rowTop = 0;  // the top staff line of its row
    QPoint Origin(const MelodyNote &note) const { return {column, rowTop + note.y}; }
};

struct StaffLayout {
    int width = 0;
    int height = kEmptyStaffHeight;
    int rows = 1;
    QList<PlacedNote> notes;  // one per note, in order
};

StaffLayout LayOutStaff(const Melody &melody, int width);

// The note whose cell holds point; nullopt elsewhere. The later note wins
// where two cells overlap.
std::optional<int> NoteAt(const StaffLayout &layout, const Melody &melody, QPoint point);

// Ledger lines at the note's column, each given by its offset from the top
// staff line (positive below).
QList<int> LedgerOffsets(const MelodyNote &note);

// The name under a note, by its LED; empty for a rest.
QString NoteName(int led);

}  // namespace kq
