#pragma once

#include "base/message_boxes.h"

#include <QColor>
#include <QString>

#include <optional>

class QWidget;
class QPrinter;

// Every message box and common dialog of both programs goes through this
// interface, so tests can record the exact texts and script the answers.
namespace kq {

class Dialogs : public MessageBoxes {
public:
    // filter in Qt's form, e.g. "KQ-27ファイル (*.kq27)". Empty when cancelled.
    virtual QString OpenFileName(QWidget *parent, const QString &folder, const QString &filter) = 0;
    virtual QString SaveFileName(QWidget *parent, const QString &folder, const QString &filter) = 0;
    // An open dialog that shows the picture under the cursor beside the list.
    virtual QString OpenPictureFileName(QWidget *parent, const QString &folder, const QString &filter) = 0;

    // A box with an information icon that does not stop the work: the pupil
    // reads it while the window goes on.
    virtual void Notice(QWidget *parent, const QString &text) = 0;

    virtual std::optional<QColor> ChooseColour(QWidget *parent, const QColor &initial) = 0;
    // Lets the user set up printer; false when cancelled.
    virtual bool SetUpPrinter(QWidget *parent, QPrinter &printer) = 0;
};

// The production dialogs: Qt's message boxes and common dialogs.
class QtDialogs final : public Dialogs {
public:
    void Warning(QWidget *parent, const QString &text) override;
    void Information(QWidget *parent, const QString &text) override;
    bool AskYesNo(QWidget *parent, const QString &text) override;
    QString OpenFileName(QWidget *parent, const QString &folder, const QString &filter) override;
    QString SaveFileName(QWidget *parent, const QString &folder, const QString &filter) override;
    QString OpenPictureFileName(QWidget *parent, const QString &folder, const QString &filter) override;
    void Notice(QWidget *parent, const QString &text) override;
    std::optional<QColor> ChooseColour(QWidget *parent, const QColor &initial) override;
    bool SetUpPrinter(QWidget *parent, QPrinter &printer) override;
};

}  // namespace kq
