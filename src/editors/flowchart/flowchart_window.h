#pragma once

#include "editors/common/step_document.h"
#include "editors/flowchart/flowchart_document.h"
#include "editors/flowchart/flowchart_painter.h"

#include <QMainWindow>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QScrollArea;

namespace kq {

class FlowchartSheet;
class Launcher;
class ParameterControls;
class StudioContext;
class WindowRegistry;

inline const QString kFlowchartPlaceErrorMessage =
    QStringLiteral("エラーが発生しました\r\nソフトを再起動するか再度インストールして下さい");
inline const QString kFlowchartClearQuestion = QStringLiteral("プログラムを全て消去します。よろしいですか？");
inline const QStringList kRoutineNames = {QStringLiteral("メインルーチン"), QStringLiteral("サブルーチン１"),
                                          QStringLiteral("サブルーチン２"), QStringLiteral("サブルーチン３"),
                                          QStringLiteral("サブルーチン４")};

// STEP2: the palette and the parameter panel beside the sheet of the current
// routine, the routine choice, the status line, the menus and the memory
// panel.
class FlowchartWindow final : public QMainWindow, public StepWindowHost {
    Q_OBJECT

public:
    FlowchartWindow(StudioContext &context, WindowRegistry &windows, Launcher &launcher, QWidget *parent = nullptr);

    FlowchartDocument &Document() { return m_document; }
    StepEditor Editor() { return {&m_document, this}; }
    FlowchartSheet &Sheet() { return *m_sheet; }
    QScrollArea &SheetArea() { return *m_sheetArea; }

    QWidget *DialogParent() override { return this; }
    void SetCaption(const QString &caption) override { setWindowTitle(caption); }

    // A palette picture dropped on the sheet at sheetPoint, or onto the box in
    // slot (kNoSlot for the empty sheet).
    void DropInstruction(int paletteNumber, QPoint sheetPoint, int slot);
    // The sheet's popup menu, set up for a press on a box or on the empty sheet.
    QMenu *PopupMenu(bool onBox);
    // The menu commands and the popup's items, by their form names.
    QAction *Action(const QString &name) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildMenu();
    void BuildPopupMenu();
    QWidget *BuildPaletteColumn();
    QWidget *BuildSheetColumn();
    void BuildMemoryPanel();
    void PlaceOnScreen();

    void ShowPanel(int slot);
    void HidePanel();
    void SwitchRoutine(int routine);
    void SyncRoutineCombo();
    void ShowMessage(const std::optional<QString> &message);
    void ClearAll();
    void ShowMemory();
    void ToggleColourMode();

    StudioContext &m_context;
    WindowRegistry &m_windows;
    Launcher &m_launcher;
    FlowchartDocument m_document;
    FlowchartPainter m_painter;

    QScrollArea *m_sheetArea = nullptr;
    FlowchartSheet *m_sheet = nullptr;
    QComboBox *m_routineCombo = nullptr;
    QLabel *m_connection = nullptr;
    ParameterControls *m_panel = nullptr;
    int m_panelSlot = -1;
    QMenu *m_popup = nullptr;
    QFrame *m_memoryPanel = nullptr;
    QLabel *m_memoryCount = nullptr;
};

}  // namespace kq
