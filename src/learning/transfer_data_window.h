#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QTableWidget;

namespace kq {

class Paths;
class WindowRegistry;

// "送信データの表示": the program instruction by instruction with its data
// as binary digits, above a fixed explanatory picture. Made once at start-up
// and shown again for every program.
class TransferDataWindow final : public QDialog {
    Q_OBJECT

public:
    explicit TransferDataWindow(const Paths &paths, QWidget *parent = nullptr);

    // Replaces the rows by those of programLines ("START" .. "END").
    void ShowProgram(const QStringList &programLines);

    QTableWidget *Grid() const { return m_grid; }
    // nullptr when the picture file is missing: the grid is shown alone.
    QLabel *Picture() const { return m_picture; }

private:

    QTableWidget *m_grid = nullptr;
    QLabel *m_picture = nullptr;
};

// Called by the editors with their program lines ("START" .. "END"): the
// viewer centred over the calling window, modal, returning to it on close.
void ShowTransferData(WindowRegistry &windows, QWidget *caller, const QStringList &programLines);

}  // namespace kq
