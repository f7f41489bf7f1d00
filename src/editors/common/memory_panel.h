#pragma once

#include <QFrame>

class QLabel;

namespace kq {

// "消費メモリー": the count of the program's memory out of 120, laid over a
// step window until its OK.
class MemoryPanel final : public QFrame {
    Q_OBJECT

public:
    // note, when not empty, is a line below the count.
    MemoryPanel(QWidget &parent, const QString &note);

    void SetCount(int count);
    // Sets the count and shows the panel centred on its parent.
    void Show(int count);

private:
    QLabel *m_count = nullptr;
};

}  // namespace kq
