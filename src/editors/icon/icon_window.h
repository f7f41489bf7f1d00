#pragma once

#include "editors/common/step_document.h"
#include "editors/common/step_recovery.h"
#include "editors/icon/icon_document.h"

#include <QHash>
#include <QMainWindow>
#include <QPixmap>

#include <array>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QSlider;

namespace kq {

class ProgramRunner;

class Launcher;
class SlotIconArea;
class StepWindows;
class StudioContext;
class WindowRegistry;

inline const QString kIconDropErrorMessage =
    QStringLiteral("エラーが発生しました\r\nソフトを再起動するか再度インストールして下さい");
inline const QString kIconPicturesMissingMessage = QStringLiteral("ファイル読み込みエラー");
inline const QString kClearAllQuestion = QStringLiteral("プログラムを全て消去します。よろしいですか？");

// STEP1: the palette of icons beside the row of 24 slots, the commands of
// the menu, the memory panel and the running notice.
class IconWindow final : public QMainWindow, public StepWindowHost {
    Q_OBJECT

public:
    IconWindow(StudioContext &context, WindowRegistry &windows, StepWindows &steps, Launcher &launcher,
               QWidget *parent = nullptr);
    ~IconWindow() override;

    IconDocument &Document() { return m_document; }
    StepEditor Editor() { return {&m_document, this, &m_recovery}; }

    QWidget *DialogParent() override { return this; }
    void SetCaption(const QString &caption) override { setWindowTitle(caption); }


    // A palette icon dropped on a slot's icon area.
    void DropIcon(int icon, int slot);
    // The slot's context menu, as the right button opens it; the caller owns it.
    QMenu *SlotMenu(int slot);

    // The slot framed for the instruction the preview runs.
    std::optional<int> TraceSlot() const { return m_traceSlot; }

    // The report's icon entries of the last "レポート作成".
    const QStringList &ReportEntries() const { return m_reportEntries; }

    // The menu commands, by their form names.
    QAction *Action(const QString &name) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct SlotView {
        QFrame *frame = nullptr;
        SlotIconArea *icon = nullptr;
        QComboBox *choice = nullptr;
        QLabel *caption = nullptr;
        QSlider *slider = nullptr;
    };

    void BuildMenu();
    QWidget *BuildPalette();
    void BuildPanels(QWidget *central);
    void PlaceOnScreen();
    void LoadPictures();
    QPixmap SlotPicture(int slot) const;
    void RebuildSlots();
    void BuildSlot(int slot);
    void LayoutSlots();
    void ShowSlotMenu(int slot, const QPoint &globalPos);
    void CentrePanel(QWidget *panel);
    void SetCommandsEnabled(bool enabled);

    void OpenDemo(int number);
    void ClearAll();
    void ShowMemory();
    void ShowTransferDataView();
    void SwitchTo(Step target);
    void Transfer();
    void MakeReport();
    // The commands of icon_window_preview.cpp.
    void Preview();
    void ShowTraceSlot(std::optional<int> slot);
    QString SlotFrameStyle(int slot) const;

    StudioContext &m_context;
    WindowRegistry &m_windows;
    StepWindows &m_steps;
    Launcher &m_launcher;
    IconDocument m_document;
    StepRecovery m_recovery{m_context, m_document, *this};

    QHash<int, QPixmap> m_pictures;  // by icon number
    QPixmap m_emptyPicture;
    QPixmap m_arrowPicture;

    QWidget *m_rowArea = nullptr;
    std::array<SlotView, kIconSlotCount> m_slots;
    std::array<QLabel *, kIconSlotCount - 1> m_arrows {};
    // A slider being moved updates its own caption; the slot is not rebuilt
    // under it.
    bool m_movingSlider = false;

    QFrame *m_memoryPanel = nullptr;
    QLabel *m_memoryCount = nullptr;
    ProgramRunner *m_runner = nullptr;

    QStringList m_reportEntries;
    std::optional<int> m_traceSlot;
};

}  // namespace kq
