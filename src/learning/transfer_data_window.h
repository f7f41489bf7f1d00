#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QTableWidget;

namespace kq {

class Paths;

// "送信データの表示": the program instruction by instruction with its data
// as binary digits, above a fixed explanatory picture.
class TransferDataWindow final : public QDialog {
    Q_OBJECT

public:
    TransferDataWindow(const Paths &paths, const QStringList &programLines, QWidget *parent = nullptr);

    QTableWidget *grid() const { return m_grid; }
    // nullptr when the picture file is missing: the grid is shown alone.
    QLabel *picture() const { return m_picture; }

private:
    void FillGrid(const QStringList &programLines);

    QTableWidget *m_grid = nullptr;
    QLabel *m_picture = nullptr;
};

// Called by the editors with their program lines ("START" .. "END"): the
// viewer centred over the calling window, shown modally.
void ShowTransferData(const Paths &paths, QWidget *caller, const QStringList &programLines);

}  // namespace kq
