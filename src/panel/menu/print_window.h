#pragma once

#include "panel/menu/panel_printing.h"
#include "panel/model/kit_model.h"
#include "services/dialog_folder.h"

#include <QDialog>
#include <QImage>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPrinter;
class QStackedWidget;

namespace kq {
class Dialogs;
class Paths;
}

namespace kq::panel {

// Readies the printer for one print; false when the user cancelled.
using PrinterChooser = std::function<bool(QWidget *parent, QPrinter &printer)>;

// Readies printer for PrintPanel or PrintSheet: the system's default
// printer, or, when there is none that can be used, the one the user sets up
// in the print dialog (one copy, not to a file). False when cancelled.
[[nodiscard]] bool ChoosePrinter(QWidget *parent, kq::Dialogs &dialogs, QPrinter &printer);

inline const QString kPrintFailedMessage = QStringLiteral("印刷できませんでした。");

// The print window: the designed panel at real size, or up to four exported
// panels on one A4 sheet. Made once; the sheet's rows keep their pictures
// while the program runs.
class PrintWindow final : public QDialog {
    Q_OBJECT
public:
    // Without a chooser the default printer is used, or the one the user
    // sets up when it cannot be (ChoosePrinter).
    PrintWindow(kq::Dialogs &dialogs, const kq::Paths &panelPaths, QWidget *parent = nullptr,
                PrinterChooser chooser = {});

    // Modal, always on the first page. flattened is the panel with its frame
    // overlay; model lays out the sheet's slots.
    void Open(const QImage &flattened, const KitModel &model);

    // The sheet as it would be printed now.
    QImage Sheet() const;

private:
    QWidget *MakeChoicePage();
    QWidget *MakeSheetPage();
    void ShowPage(int page);
    void PrintDesignedPanel();
    void PrintSheetOfRows();
    void Browse(int row);
    void Remove(int row);
    void ShowSheet();
    bool Print(const std::function<bool(QPrinter &)> &draw);

    kq::Dialogs &m_dialogs;
    const kq::Paths &m_paths;
    kq::DialogFolder m_fileFolder;
    PrinterChooser m_chooser;
    QStackedWidget *m_pages;
    std::array<QLineEdit *, kSheetSlotCount> m_rowPaths{};
    SheetPictures m_rowPictures;
    QLabel *m_sheetPreview = nullptr;
    QImage m_flattened;
    KitModel m_model;
};

}  // namespace kq::panel
