#pragma once

#include "tools/melody/melody.h"
#include "tools/melody/staff_layout.h"

#include <QImage>

class QPainter;

// Draws a melody's staff: the lines of every row, the clef, and each note
// with its ledger lines, LED colour bar and name.
namespace kq {

// The clef drawn at the start of every row, in the program folder.
inline const QString kClefPicture = QStringLiteral("Img\\Icon\\Melo\\toon.bmp");

void PaintStaff(QPainter &painter, const Melody &melody, const StaffLayout &layout, const QImage &clef);

// The staff at width W as a picture of the layout's height on white.
QImage StaffPicture(const Melody &melody, int width, const QImage &clef);

}  // namespace kq
