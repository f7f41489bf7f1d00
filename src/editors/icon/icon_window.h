#pragma once

#include "editors/common/step_window_frame.h"
#include "editors/icon/icon_document.h"

#include <QHash>
#include <QPixmap>

#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QSlider;

namespace kq {

class MemoryPanel;
class SlotIconArea;

inline const QString kIconDropErrorMessage =
    QStringLiteral("エラーが発生しました\r\nソフトを再起動するか再度インストールして下さい");
inline const QString kIconPicturesMissingMessage = QStringLiteral("ファイル読み込みエラー");
inline const QString kClearAllQuestion = kStepClearQuestion;

// STEP1: the palette of icons beside the row of 24 slots, its own commands
// in the step window's menus and the memory panel.
class IconWindow final : public StepWindowFrame {
    Q_OBJECT

public:
    IconWindow(StudioContext &context, WindowRegistry &windows, StepWindows &steps, Launcher &launcher,
               QWidget *parent = nullptr);
    ~IconWindow() override;

    IconDocument &Document() { return m_document; }

    // A palette icon dropped on a slot's icon area.
    void DropIcon(int icon, int slot);
    // The slot's context menu, as the right button opens it; the caller owns it.
    QMenu *SlotMenu(int slot);

    // The slot framed for the instruction the preview runs.
    std::optional<int> TraceSlot() const { return m_traceSlot; }

    // The report's icon entries of the last "レポート作成".
    const QStringList &ReportEntries() const { return m_reportEntries; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct SlotView {
        QFrame *frame = nullptr;
        SlotIconArea *icon = nullptr;
        QComboBox *choice = nullptr;
        QLabel *caption = nullptr;
        QSlider *slider = nullptr;
    };

    QList<StepMenuEntry> MenuBar();
    QWidget *BuildPalette();
    void LoadPictures();
    QPixmap SlotPicture(int slot) const;
    void RebuildSlots();
    void BuildSlot(int slot);
    void LayoutSlots();
    void ShowSlotMenu(int slot, const QPoint &globalPos);

    void ClearProgram() override;
    void ShowMemory();
    void ShowTransferDataView();
    void Transfer();
    void MakeReport();
    // The commands of icon_window_preview.cpp.
    void Preview();
    void ShowTraceSlot(std::optional<int> slot);
    QString SlotFrameStyle(int slot) const;

    IconDocument &m_document;  // owned by the frame

    QHash<int, QPixmap> m_pictures;  // by icon number
    QPixmap m_emptyPicture;
    QPixmap m_arrowPicture;

    QWidget *m_rowArea = nullptr;
    std::array<SlotView, kIconSlotCount> m_slots;
    std::array<QLabel *, kIconSlotCount - 1> m_arrows {};
    // A slider being moved updates its own caption; the slot is not rebuilt
    // under it.
    bool m_movingSlider = false;

    MemoryPanel *m_memoryPanel = nullptr;

    QStringList m_reportEntries;
    std::optional<int> m_traceSlot;
};

}  // namespace kq
