#include "tools/melody/staff_layout.h"

#include <algorithm>
#include <array>

namespace kq {

namespace {
// The staff leaves this much of the width unused at its end.
constexpr int kRowMargin = 30;
}  // namespace

StaffLayout LayOutStaff(const Melody &melody, int width)
{
    StaffLayout layout;
    layout.width = width;
    // A width too small for one cell still gives rows of one cell.
    const int rowLength = std::max(width - kRowMargin, kStaffUnit);
    int lastRow = 0;
    layout.notes.reserve(melody.Count());
    for (int i = 0; i < melody.Count(); ++i) {
        const int x = std::max(melody.Note(i).x, 0);
        const int row = x / rowLength;
        layout.notes.append({x % rowLength, kStaffTop + kRowHeight * row});
        lastRow = row;
    }
    layout.rows = lastRow + 1;
    layout.height = melody.Count() == 0 ? kEmptyStaffHeight : kRowHeight * lastRow + kEmptyStaffHeight;
    return layout;
}

std::optional<int> NoteAt(const StaffLayout &layout, const Melody &melody, QPoint point)
{
    for (qsizetype i = layout.notes.size() - 1; i >= 0; --i) {
        const QPoint origin = layout.notes[i].Origin(melody.Note(int(i)));
        if (QRect(origin, QSize(kStaffUnit, kHitHeight)).contains(point))
            return int(i);
    }
    return std::nullopt;
}

QList<int> LedgerOffsets(const MelodyNote &note)
{
    if (IsRest(note))
        return {};
    const int key = note.key;
    if (key <= 7) {
        // Four below the staff for C3 and D3, one fewer for every two keys up.
        const int count = 4 - key / 2;
        QList<int> offsets;
        for (int i = 0; i < count; ++i)
            offsets.append(40 + kLineSpacing * i);
        return offsets;
    }
    if (key == 19 || key == 20)
        return {-8};
    if (key == 21)
        return {-8, -16};
    return {};
}

QString NoteName(int led)
{
    static const std::array<QString, 12> names {QStringLiteral("ド"),  QStringLiteral("ド#"), QStringLiteral("レ"),
                                                QStringLiteral("レ#"), QStringLiteral("ミ"),  QStringLiteral("ﾌｧ"),
                                                QStringLiteral("ﾌｧ#"), QStringLiteral("ソ"),  QStringLiteral("ｿ#"),
                                                QStringLiteral("ラ"),  QStringLiteral("ﾗ#"),  QStringLiteral("シ")};
    return led >= 0 && led < 12 ? names[std::size_t(led)] : QString();
}

}  // namespace kq
