#pragma once

#include "base/paths.h"
#include "services/dialog_folder.h"

#include <QMainWindow>
#include <QPoint>

#include <memory>
#include <optional>

class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QProgressBar;
class QScrollArea;
class QStackedWidget;
class QToolButton;

namespace kq {
class Dialogs;
class Launcher;
class RecoveryStore;
class RecoveryWriter;
struct RecoveryCopy;
}  // namespace kq

namespace kq::panel {

class ColourPanel;
class DesignCanvas;
class EditPreview;
class EffectWindow;
class PanelDocument;
class PickerWindow;
class PreviewPage;
class PrintWindow;
class ProgressWindow;
class TextWindow;
struct TextRecord;
struct WindowLayout;
enum class EffectPage;
enum class QuickEffect;

// "パネル製作ソフト": the design, preview and product pages of one kit
// model's panel, the toolbar pictures, the menus, the layer list, the edit
// preview and the transparency settings. Every rule lives in the document;
// the window turns the pupil's gestures into document calls and redraws.
class PanelWindow final : public QMainWindow {
    Q_OBJECT

public:
    enum class Page {
        Design,
        Preview,
        Product
    };

    // panelPaths: the panel maker's data tree and temporary folders;
    // recovery: where the panel's recovery copy is kept while it is unsaved.
    PanelWindow(kq::Dialogs &dialogs, kq::Launcher &launcher, const kq::Paths &panelPaths,
                kq::RecoveryStore &recovery, QWidget *parent = nullptr);
    ~PanelWindow() override;

    // Lays the window out for the model (0..5), with its frame picture, canvas
    // and display scale, resets the document and shows the design page.
    void ShowForModel(int modelIndex);

    // Loads a panel file as the open command does after its dialog: the
    // extension check, the progress panel, the file's refusal message.
    void OpenPanelFile(const QString &path);

    // Shows the panel of a recovery copy that a program left when it ended
    // without closing: for the copy's kit model, belonging to its file, and
    // keeps a copy of its own at once. False (nothing shown) when the copy
    // names no kit model or its panel cannot be read.
    [[nodiscard]] bool RestoreWork(const kq::RecoveryCopy &copy);
    // The panel file the work was opened from or last saved as; empty for a
    // new panel.
    QString PanelFile() const { return m_panelFile; }

    const PanelDocument &Document() const { return *m_document; }
    Page CurrentPage() const { return m_page; }
    void ShowPage(Page page);

signals:
    // The pupil confirmed the close question: the program ends.
    void Closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Building (panel_window.cpp).
    void BuildToolbar();
    void BuildPages();
    void BuildEditPanel();
    void BuildTransparencyPanel();
    void BuildLayerPanel();
    void BuildMenus();
    void BuildEffectMenus();
    void BuildProgressPanel();
    void ApplyLayout(const WindowLayout &layout);
    void SetUpForModel(int modelIndex);

    // Views of the document (panel_window.cpp).
    void RefreshAll();
    void RefreshLayerList();
    void ShowSelection();
    void ClearEditPreview();
    void ShowNoTransparency();
    void ShowSizes(QSize size);
    void SelectListRow(int row);
    void UpdatePages();
    void CentreProductPage();

    // The recovery copy (panel_recovery.cpp).
    void MakeRecoveryWriter(kq::RecoveryStore &store);

    // Commands (panel_commands.cpp).
    void OpenPanel();
    void SavePanel();
    void ExportFlattened();
    void OpenPrintWindow();
    void ChooseBackground();
    void AddPart();
    void AddPhoto();
    void AddText();
    void AddAcceptedText(const TextRecord &record);
    void EditTextAt(QPoint documentPoint);
    void Undo();
    void ClearAll();
    void OpenHelp();
    void RaiseLayer();
    void LowerLayer();
    void DeleteSelectedLayer();
    void ChangeTransparency(bool pickColour);
    bool Refused(const std::optional<QString> &message);
    void ShowProgressPanel(const QString &caption);
    void HideProgressPanel();

    // Effects (panel_effect_commands.cpp).
    int LayerToProcess();
    void RunEffect(EffectPage page);
    void RunQuickEffect(QuickEffect effect);

    kq::Dialogs &m_dialogs;
    kq::Launcher &m_launcher;
    kq::Paths m_paths;
    std::unique_ptr<PanelDocument> m_document;
    Page m_page = Page::Design;
    QString m_panelFile;
    kq::RecoveryWriter *m_recovery = nullptr;  // a child
    kq::DialogFolder m_fileFolder;  // panel files, photos and exported pictures alike

    QWidget *m_central = nullptr;
    QFrame *m_toolbar = nullptr;
    QWidget *m_tabs = nullptr;
    QToolButton *m_tabButtons[3] = {};
    QStackedWidget *m_pages = nullptr;
    QLabel *m_frame = nullptr;
    DesignCanvas *m_canvas = nullptr;
    PreviewPage *m_preview = nullptr;
    QScrollArea *m_productArea = nullptr;
    QLabel *m_product = nullptr;

    QWidget *m_editPanel = nullptr;
    EditPreview *m_editPreview = nullptr;
    QLabel *m_widthPixels = nullptr;
    QLabel *m_heightPixels = nullptr;
    QLabel *m_widthCentimetres = nullptr;
    QLabel *m_heightCentimetres = nullptr;
    QWidget *m_quickButtons = nullptr;
    static constexpr int kQuickButtonCount = 8;
    QToolButton *m_quickButtonList[kQuickButtonCount] = {};

    QWidget *m_transparencyPanel = nullptr;
    QCheckBox *m_transparent = nullptr;
    ColourPanel *m_transparentColour = nullptr;

    QWidget *m_layerPanel = nullptr;
    QListWidget *m_layerList = nullptr;
    QToolButton *m_layerUp = nullptr;
    QToolButton *m_layerDown = nullptr;
    QMenu *m_layerMenu = nullptr;

    QWidget *m_progressPanel = nullptr;
    QLabel *m_progressCaption = nullptr;
    QProgressBar *m_progressBar = nullptr;

    // Made once, owned as children.
    ProgressWindow *m_progress = nullptr;
    EffectWindow *m_effectWindow = nullptr;
    TextWindow *m_textWindow = nullptr;
    PickerWindow *m_picker = nullptr;
    PrintWindow *m_printWindow = nullptr;
};

}  // namespace kq::panel
