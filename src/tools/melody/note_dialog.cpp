#include "tools/melody/note_dialog.h"

#include "tools/melody/length_radios.h"
#include "tools/melody/piano_keyboard.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kq {

NoteDialog::NoteDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(kNoteDialogCaption);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(kNoteDialogPrompt, this));
    auto *row = new QHBoxLayout;
    auto *keyboard = new PianoKeyboard(this);
    row->addWidget(keyboard);
    row->addWidget(MakeLengthRadios(this, m_lengths));
    layout->addLayout(row);
    connect(keyboard, &PianoKeyboard::KeyClicked, this, &NoteDialog::KeyClicked);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<NoteChoice> NoteDialog::Choose(int length)
{
    if (length >= 0 && length < kLengthCount)
        m_lengths[std::size_t(length)]->setChecked(true);
    m_choice.reset();
    exec();
    return std::exchange(m_choice, std::nullopt);
}

void NoteDialog::KeyClicked(const KeyChoice &key)
{
    int length = kQuarterLength;
    for (int i = 0; i < kLengthCount; ++i) {
        if (m_lengths[std::size_t(i)]->isChecked())
            length = i;
    }
    m_choice = NoteChoice {key, length};
    accept();
}

}  // namespace kq
