#include "learning/transfer_data_window.h"

#include "learning/transfer_data_rows.h"
#include "base/paths.h"
#include "services/window_registry.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kq {

namespace {
constexpr int kWidth = 814;
constexpr int kHeight = 723;
constexpr int kColumnWidths[] = {64, 276, 425};
}  // namespace

TransferDataWindow::TransferDataWindow(const Paths &paths, QWidget *parent) : QDialog(parent)
{
    setModal(true);
    setWindowTitle(QStringLiteral("ソラリット２制御ソフト :"));
    resize(kWidth, kHeight);

    auto *layout = new QVBoxLayout(this);
    m_grid = new QTableWidget(this);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->setColumnCount(3);
    m_grid->setHorizontalHeaderLabels(
        {QStringLiteral("番号"), QStringLiteral("命令内容"), QStringLiteral("送信データ")});
    for (int column = 0; column < 3; ++column)
        m_grid->setColumnWidth(column, kColumnWidths[column]);
    layout->addWidget(m_grid, 1);

    const QPixmap pixmap(paths.ProgramFile(QStringLiteral("Img\\DataView\\DataView.bmp")));
    if (!pixmap.isNull()) {
        m_picture = new QLabel(this);
        m_picture->setObjectName(QStringLiteral("Image1"));
        m_picture->setPixmap(pixmap);
        m_picture->setAlignment(Qt::AlignCenter);
        layout->addWidget(m_picture);
    }
}

void TransferDataWindow::ShowProgram(const QStringList &programLines)
{
    const std::vector<TransferDataRow> rows = TransferDataRows(programLines);
    m_grid->setRowCount(int(rows.size()));
    // The digits line up from row to row in a fixed-pitch font.
    const QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (int row = 0; row < int(rows.size()); ++row) {
        const TransferDataRow &data = rows[std::size_t(row)];
        m_grid->setItem(row, 0, new QTableWidgetItem(data.number));
        m_grid->setItem(row, 1, new QTableWidgetItem(data.description));
        auto *bits = new QTableWidgetItem(data.data);
        bits->setFont(digits);
        m_grid->setItem(row, 2, bits);
    }
}

void ShowTransferData(WindowRegistry &windows, QWidget *caller, const QStringList &programLines)
{
    auto *window = qobject_cast<TransferDataWindow *>(windows.Made(WindowKind::TransferData));
    if (!window)
        return;
    window->ShowProgram(programLines);
    if (caller) {
        QRect area(QPoint(), window->size());
        area.moveCenter(caller->window()->geometry().center());
        window->setGeometry(area);
    }
    windows.OpenFromEditor(WindowKind::TransferData, caller ? caller->window() : nullptr);
}

}  // namespace kq
