#pragma once

#include <QString>

class QWidget;

// The message boxes alone, so code below the windows (the device link) can
// report to the pupil without linking any widget library.
namespace kq {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Modal box with a warning icon and OK: errors and refused actions.
    virtual void Warning(QWidget *parent, const QString &text) = 0;
    // Modal box with an information icon and OK: results and feedback.
    virtual void Information(QWidget *parent, const QString &text) = 0;
    // Yes/No question before destructive actions; true for Yes.
    virtual bool AskYesNo(QWidget *parent, const QString &text) = 0;
};

}  // namespace kq
