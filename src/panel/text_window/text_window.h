#pragma once

#include "panel/text/text_layer.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kq {
class Dialogs;
class Paths;
}  // namespace kq

// The text window: one line of text with its face, size, colours and style.
// It is made once; its settings stay from one use to the next.
namespace kq::panel {

class ColourPanel;
class TextPreview;

class TextWindow final : public QDialog {
    Q_OBJECT

public:
    // panelPaths: the panel maker's data tree, for the OK picture.
    TextWindow(kq::Dialogs &dialogs, const kq::Paths &panelPaths, QWidget *parent = nullptr);

    // Non-modal, for a new layer: the text field empty and focused, the other
    // settings as last used. OK emits NewTextAccepted and closes.
    void OpenForNew();
    // Modal, filled from old; the new record keeps old's layer and position.
    // nullopt when the window is closed without OK.
    [[nodiscard]] std::optional<TextRecord> EditModally(const TextRecord &old);

signals:
    // Layer 0 at 0, 0: the document gives the layer its number.
    void NewTextAccepted(const kq::panel::TextRecord &record);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildControls(const kq::Paths &panelPaths);
    void FillFontList();
    void SelectFace(const QString &face);
    TextDescription CurrentDescription() const;
    void ShowRecord(const TextRecord &record);
    void UpdatePreview();
    void PickColour(ColourPanel *panel);
    void AcceptText();

    kq::Dialogs &m_dialogs;
    QLineEdit *m_text = nullptr;
    TextPreview *m_preview = nullptr;
    QListWidget *m_fonts = nullptr;
    QComboBox *m_sizes = nullptr;
    ColourPanel *m_fontColour = nullptr;
    ColourPanel *m_backColour = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_transparent = nullptr;
    QPushButton *m_ok = nullptr;
    // Set only while an edit is open: the record being edited, then its result.
    std::optional<TextRecord> m_edited;
    std::optional<TextRecord> m_editResult;
};

}  // namespace kq::panel
