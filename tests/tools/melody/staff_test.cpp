#include "tools/melody/staff_layout.h"
#include "tools/melody/staff_painter.h"

#include <gtest/gtest.h>

namespace kq {
namespace {

Melody NotesAt(const QList<int> &xs, int key = 10)
{
    QList<MelodyNote> notes;
    for (int x : xs)
        notes.append({key, 2, 0, x, KeyY(key)});
    return Melody::WithNotes(notes);
}

TEST(StaffLayoutTest, RowsWrapAtTheWidthLessThirty)
{
    const StaffLayout empty = LayOutStaff(Melody(), 800);
    EXPECT_EQ(empty.height, 160);
    EXPECT_EQ(empty.rows, 1);

    const StaffLayout one = LayOutStaff(NotesAt({80, 769}), 800);
    EXPECT_EQ(one.height, 160);
    EXPECT_EQ(one.notes[1].column, 769);
    EXPECT_EQ(one.notes[1].rowTop, 60);

    const StaffLayout two = LayOutStaff(NotesAt({80, 770, 900}), 800);
    EXPECT_EQ(two.height, 260);
    EXPECT_EQ(two.rows, 2);
    EXPECT_EQ(two.notes[1].column, 0);
    EXPECT_EQ(two.notes[1].rowTop, 160);
    EXPECT_EQ(two.notes[2].column, 130);

    // The height follows the last note's row.
    EXPECT_EQ(LayOutStaff(NotesAt({80, 3000}), 800).height, 100 * 3 + 160);
    // A width below one cell still lays the notes out.
    EXPECT_EQ(LayOutStaff(NotesAt({80}), 10).notes[0].column, 20);
}

TEST(StaffLayoutTest, HitTestCoversTheCellFromTheGlyphDown)
{
    const Melody melody = NotesAt({80, 110});
    const StaffLayout layout = LayOutStaff(melody, 800);
    const int glyphTop = 60 + KeyY(10);
    EXPECT_EQ(NoteAt(layout, melody, {80, glyphTop}), 0);
    EXPECT_EQ(NoteAt(layout, melody, {109, glyphTop + 34}), 0);
    EXPECT_EQ(NoteAt(layout, melody, {110, glyphTop}), 1);
    EXPECT_EQ(NoteAt(layout, melody, {80, glyphTop + 35}), std::nullopt);
    EXPECT_EQ(NoteAt(layout, melody, {79, glyphTop}), std::nullopt);
    EXPECT_EQ(NoteAt(layout, melody, {150, glyphTop}), std::nullopt);
}

TEST(StaffLayoutTest, LedgerLinesPerKey)
{
    struct Case {
        int key;
        QList<int> offsets;
    };
    const Case cases[] = {
        {0, {40, 48, 56, 64}},
        {1, {40, 48, 56, 64}},
        {2, {40, 48, 56}},
        {3, {40, 48, 56}},
        {4, {40, 48}},
        {5, {40, 48}},
        {6, {40}},
        {7, {40}},
        {8, {}},
        {18, {}},
        {19, {-8}},
        {20, {-8}},
        {21, {-8, -16}},
        {kRestKey, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(LedgerOffsets({c.key, 2, 0, 80, KeyY(c.key)}), c.offsets) << c.key;
}

TEST(StaffLayoutTest, NoteNames)
{
    EXPECT_EQ(NoteName(0), "ド");
    EXPECT_EQ(NoteName(1), "ド#");
    EXPECT_EQ(NoteName(3), "レ#");
    EXPECT_EQ(NoteName(5), "ﾌｧ");
    EXPECT_EQ(NoteName(10), "ﾗ#");
    EXPECT_EQ(NoteName(kRestLed), "");
}

TEST(StaffPictureTest, SizeStaffLinesAndLedBars)
{
    Melody melody = NotesAt({80, 800}, 12);  // A4: LED 9
    melody.SetLedColour(9, 2);
    const QImage plain = StaffPicture(melody, 800, QImage());
    ASSERT_EQ(plain.size(), QSize(800, 260));
    EXPECT_EQ(plain.pixelColor(5, 60), QColor(Qt::black));
    EXPECT_EQ(plain.pixelColor(5, 92), QColor(Qt::black));
    EXPECT_EQ(plain.pixelColor(5, 160), QColor(Qt::black));
    EXPECT_EQ(plain.pixelColor(5, 64), QColor(Qt::white));

    melody.SetLedLink(true);
    const QImage linked = StaffPicture(melody, 800, QImage());
    const QPoint bar = QPoint(80, 60 + KeyY(12)) + QPoint(15, 37);
    EXPECT_EQ(plain.pixelColor(bar), QColor(Qt::white));
    EXPECT_EQ(linked.pixelColor(bar), QColor(0, 0, 255));
    // The second row's note: column 800 mod 770.
    EXPECT_EQ(linked.pixelColor(QPoint(30, 160 + KeyY(12)) + QPoint(15, 37)), QColor(0, 0, 255));
}

}  // namespace
}  // namespace kq
