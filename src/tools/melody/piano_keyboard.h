#pragma once

#include "tools/melody/melody.h"

#include <QWidget>

class QPushButton;

// The 22 white keys C3..C6, the 15 black keys between them and the rest key,
// named as the form named them: "pw<n>" white, "pB<n>" the black key right
// of white key n, "pw185" the rest. The main window and the note dialog
// each have one.
namespace kq {

class PianoKeyboard final : public QWidget {
    Q_OBJECT

public:
    explicit PianoKeyboard(QWidget *parent = nullptr);

    // What a key's name stands for: its number after the two-letter prefix,
    // sharp when the name is not a white key's.
    static KeyChoice ChoiceOf(const QString &keyName);

signals:
    void KeyClicked(kq::KeyChoice choice);

private:
    QPushButton *AddKey(const QString &name, const QRect &geometry);
};

}  // namespace kq
