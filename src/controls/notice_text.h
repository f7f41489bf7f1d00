#pragma once

#include <Qt>

class QLabel;
class QString;
class QWidget;

namespace kq {

// A bold, centred line of the notices laid over a window (running, reading,
// the memory count): large enough to read from a classroom seat.
QLabel *NoticeText(const QString &text, QWidget *parent, int pointSize, Qt::Alignment alignment = Qt::AlignCenter);

// Shows a notice centred on its parent, above the parent's other children.
void ShowCentred(QWidget &notice);

}  // namespace kq
