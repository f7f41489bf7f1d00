#pragma once

#include "tools/melody/melody.h"
#include "tools/melody/staff_layout.h"

#include <QImage>
#include <QWidget>

// The drawing area of the melody window: the staff at the area's width,
// taller when the melody needs more rows.
namespace kq {

class StaffView final : public QWidget {
    Q_OBJECT

public:
    StaffView(const Melody &melody, QImage clef, QWidget *parent);

    // Lays the melody out again and repaints it.
    void Refresh();
    const StaffLayout &Layout() const { return m_layout; }
    const QImage &Clef() const { return m_clef; }

signals:
    // A right-click on a note's cell.
    void NoteRightClicked(int index, QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    const Melody &m_melody;
    QImage m_clef;
    StaffLayout m_layout;
};

}  // namespace kq
