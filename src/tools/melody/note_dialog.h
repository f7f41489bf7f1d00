#pragma once

#include "tools/melody/melody.h"

#include <QDialog>

#include <array>
#include <optional>

class QRadioButton;

// "挿入・編集": the note to insert before the selected one, or to put in its
// place. Made once at start-up and reused.
namespace kq {

struct NoteChoice {
    KeyChoice key;
    int length = kQuarterLength;
};

inline const QString kNoteDialogCaption = QStringLiteral("挿入・編集");
inline const QString kNoteDialogPrompt = QStringLiteral("挿入したい音符、編集する音符を選択して下さい。");

class NoteDialog final : public QDialog {
    Q_OBJECT

public:
    explicit NoteDialog(QWidget *parent = nullptr);

    // Modal, with `length` preselected; the key clicked and the length then
    // chosen, or nothing when the dialog was closed another way.
    std::optional<NoteChoice> Choose(int length);

private:
    void KeyClicked(const KeyChoice &key);

    std::array<QRadioButton *, kLengthCount> m_lengths {};
    std::optional<NoteChoice> m_choice;
};

}  // namespace kq
