#include "tools/melody/staff_painter.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace kq {

namespace {

const std::array<QColor, kColourCount> kStaffColours {
    QColor(0xFF, 0x00, 0x00), QColor(0x00, 0x80, 0x00), QColor(0x00, 0x00, 0xFF), QColor(0xFF, 0xFF, 0x00),
    QColor(0x80, 0x00, 0x80), QColor(0x00, 0xFF, 0xFF), QColor(0xFF, 0xFF, 0xFF), QColor(0xC0, 0xC0, 0xC0)};

// The glyph geometry, from the note's origin: the head's box, the stem at
// its right edge.
constexpr QRect kHead(10, 24, 10, 8);
constexpr int kStemX = 20;
constexpr int kStemTop = 4;
constexpr int kStemBottom = 28;
constexpr int kLedgerLength = 30;
constexpr int kBarTop = 35;
constexpr int kBarHeight = 5;
constexpr int kNameTop = 45;
constexpr int kNameHeight = 16;

QPen StrokePen()
{
    return QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

void PaintFlags(QPainter &painter, QPoint origin, int count)
{
    for (int i = 0; i < count; ++i) {
        const QPoint top = origin + QPoint(kStemX, kStemTop + 6 * i);
        QPainterPath flag(top);
        flag.cubicTo(top + QPoint(2, 4), top + QPoint(8, 6), top + QPoint(6, 12));
        painter.drawPath(flag);
    }
}

void PaintNoteGlyph(QPainter &painter, const MelodyNote &note, QPoint origin)
{
    const QRectF head = QRectF(kHead).translated(origin).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(StrokePen());
    painter.setBrush(note.length == 4 ? Qt::NoBrush : QBrush(Qt::black));
    painter.drawEllipse(head);
    painter.drawLine(origin + QPoint(kStemX, kStemTop), origin + QPoint(kStemX, kStemBottom));
    if (note.length == 1)
        PaintFlags(painter, origin, 1);
    else if (note.length == 0)
        PaintFlags(painter, origin, 2);
    painter.setBrush(Qt::black);
    if (note.length == 3)
        painter.drawEllipse(QPointF(origin + QPoint(24, 28)), 1.5, 1.5);
    if (note.sharp) {
        // Two verticals and two rising bars left of the head.
        const QPoint s = origin + QPoint(1, 22);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(s + QPoint(3, 0), s + QPoint(3, 12));
        painter.drawLine(s + QPoint(6, -1), s + QPoint(6, 11));
        painter.setPen(StrokePen());
        painter.drawLine(s + QPoint(1, 5), s + QPoint(8, 3));
        painter.drawLine(s + QPoint(1, 9), s + QPoint(8, 7));
    }
}

void PaintRestGlyph(QPainter &painter, const MelodyNote &note, QPoint origin)
{
    painter.setPen(StrokePen());
    painter.setBrush(Qt::black);
    switch (note.length) {
    case 4:  // a small bar sitting on the middle line
        painter.fillRect(QRect(origin + QPoint(9, 12), QSize(12, 4)), Qt::black);
        break;
    case 3:
    case 2: {
        const QPoint o = origin + QPoint(12, 2);
        const QPoint zigzag[] = {
            o, o + QPoint(6, 7), o + QPoint(1, 13), o + QPoint(7, 20), o + QPoint(2, 20), o + QPoint(5, 27)};
        painter.drawPolyline(zigzag, 6);
        if (note.length == 3)
            painter.drawEllipse(QPointF(origin + QPoint(24, 14)), 1.5, 1.5);
        break;
    }
    default: {
        // One hooked stroke for the eighth, two for the sixteenth.
        const int hooks = note.length == 1 ? 1 : 2;
        const QPoint stemTop = origin + QPoint(19, 6);
        painter.drawLine(stemTop, stemTop + QPoint(-5, 22));
        for (int i = 0; i < hooks; ++i) {
            const QPoint start = stemTop + QPoint(-1 - i, 7 * i);
            painter.drawEllipse(QPointF(start + QPoint(-7, 0)), 2, 2);
            painter.drawLine(start + QPoint(-7, 2), start);
        }
        break;
    }
    }
}

}  // namespace

void PaintStaff(QPainter &painter, const Melody &melody, const StaffLayout &layout, const QImage &clef)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    for (int row = 0; row < layout.rows; ++row) {
        const int top = kStaffTop + kRowHeight * row;
        for (int line = 0; line < kStaffLines; ++line)
            painter.drawLine(0, top + kLineSpacing * line, layout.width, top + kLineSpacing * line);
    }
    if (!clef.isNull())
        painter.drawImage(kClefOrigin, clef);

    QFont nameFont = painter.font();
    nameFont.setPointSize(10);
    nameFont.setBold(true);
    for (int i = 0; i < melody.Count(); ++i) {
        const MelodyNote &note = melody.Note(i);
        const PlacedNote &placed = layout.notes[i];
        const QPoint origin = placed.Origin(note);

        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(Qt::black, 1));
        for (int offset : LedgerOffsets(note))
            painter.drawLine(placed.column, placed.rowTop + offset, placed.column + kLedgerLength - 1,
                             placed.rowTop + offset);

        painter.setRenderHint(QPainter::Antialiasing, true);
        if (IsRest(note))
            PaintRestGlyph(painter, note, origin);
        else
            PaintNoteGlyph(painter, note, origin);

        const int led = LedOf(note);
        if (melody.LedLink())
            painter.fillRect(QRect(origin + QPoint(0, kBarTop), QSize(kStaffUnit, kBarHeight)),
                             kStaffColours[std::size_t(melody.LedColour(led))]);
        const QString name = NoteName(led);
        if (!name.isEmpty()) {
            painter.setFont(nameFont);
            painter.setPen(Qt::black);
            painter.drawText(QRect(origin + QPoint(0, kNameTop), QSize(kStaffUnit, kNameHeight)),
                             Qt::AlignHCenter | Qt::AlignTop, name);
        }
    }
    painter.restore();
}

QImage StaffPicture(const Melody &melody, int width, const QImage &clef)
{
    const StaffLayout layout = LayOutStaff(melody, width);
    QImage picture(layout.width, layout.height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    PaintStaff(painter, melody, layout, clef);
    return picture;
}

}  // namespace kq
