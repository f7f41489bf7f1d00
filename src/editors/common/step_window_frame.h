#pragma once

#include "device/report_router.h"
#include "editors/common/step_document.h"
#include "editors/common/step_recovery.h"

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;

namespace kq {

class Launcher;
class ProgramRunner;
class StepWindows;
class StudioContext;
class WindowRegistry;

inline const QString kStepClearQuestion = QStringLiteral("プログラムを全て消去します。よろしいですか？");
// The demos of STEP2 and STEP3, the same four programs.
inline const QStringList kFlowDemoFiles = {
    QStringLiteral("Data\\Demo\\fro\\demo1(フロー).kq27"),
    QStringLiteral("Data\\Demo\\fro\\demo2(フロー).kq27"),
    QStringLiteral("Data\\Demo\\fro\\demo3(フロー).kq27"),
    QStringLiteral("Data\\Demo\\fro\\demo4(フロー).kq27"),
};

// One entry of a step window's menu bar: a command, or a menu of commands
// (run empty, entries filled).
struct StepMenuEntry {
    QString name;  // the form name the window and its tests find it by
    QString text;
    std::function<void()> run = {};
    QKeySequence key = {};
    QList<StepMenuEntry> entries = {};
    bool checkable = false;  // starts checked
};

// What tells the three step windows apart around their central widget.
struct StepFrameLook {
    QString objectName;
    QSize minimumSize;
    // The captions padded with full-width spaces are fitted to the width.
    bool fitsMenuBar = false;
    // Whether a demo or the open dialog asks before replacing unsaved work;
    // only a step with an undo history knows whether its work was saved.
    bool asksBeforeReplacing = true;
};

// The window of a programming step: the menu bar built from the step's
// description, the shared commands (demos, open, save, clear, the step
// switch, transfer and run through the runner, help), the size and place on
// the screen, the close question, dropped files, the caption, and the
// recovery copy of the document it owns. A step adds its central widget, its
// own commands and the hooks below.
class StepWindowFrame : public QMainWindow, public StepWindowHost {
    Q_OBJECT

public:
    ~StepWindowFrame() override;

    StepEditor Editor() { return {m_document.get(), this, &m_recovery}; }

    QWidget *DialogParent() override { return this; }
    void SetCaption(const QString &caption) override { setWindowTitle(caption); }

    // The menu commands, by their form names.
    QAction *Action(const QString &name) const;

protected:
    StepWindowFrame(StudioContext &context, WindowRegistry &windows, StepWindows &steps, Launcher &launcher,
                    std::unique_ptr<StepDocument> document, const StepFrameLook &look, QWidget *parent);

    // Called once the step's document and its central widget are made: the
    // menu bar, the size and the place on the screen.
    void SetUpFrame(QWidget *central, const QList<StepMenuEntry> &menuBar);
    // Transfer and run through the shared runner, which receives the clock's
    // reports in the step's role; its notice is centred on the central widget.
    void AttachRunner(ReceiverRole role);
    ProgramRunner &Runner() { return *m_runner; }
    void SetCommandsEnabled(bool enabled);

    // The shared entries, in the steps' own words where they differ.
    StepMenuEntry DemoMenu(const QStringList &demoFiles);
    StepMenuEntry OpenEntry(const QString &text, const QKeySequence &key = {});
    StepMenuEntry SaveEntry(const QKeySequence &key = {});
    StepMenuEntry ClearEntry(const QString &name, const QString &text);
    // The view menu: the step's entries, then "STEP1 アイコンで表示" and its
    // kind for the two other steps.
    StepMenuEntry ViewMenu(const QString &text, QList<StepMenuEntry> entries);
    StepMenuEntry TransferDataEntry(std::function<void()> show);
    StepMenuEntry PreviewEntry(std::function<void()> preview);
    StepMenuEntry TransferEntry(const QString &text, std::function<void()> transfer);
    StepMenuEntry RunEntry(const QString &text, std::function<void()> run);
    StepMenuEntry ReportEntry(std::function<void()> report);
    StepMenuEntry HelpMenu(const QString &text);

    // The clear command's work once the pupil agreed.
    virtual void ClearProgram() = 0;
    // Before a demo, a chosen or a dropped file replaces the program, and
    // after it did (or failed to).
    virtual void LeavingProgram() {}
    virtual void ProgramReplaced() {}
    // Before a save, a switch or the close check the program: the step shows
    // where it fails.
    virtual void MarkFailingPlace() {}

    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

    StudioContext &m_context;
    WindowRegistry &m_windows;

private:
    void AddEntries(QWidget &owner, const QList<StepMenuEntry> &entries);
    void PlaceOnScreen();
    void OpenDemo(const QString &file);
    void OpenFromDialog();
    void SwitchTo(Step target);

    StepWindows &m_steps;
    Launcher &m_launcher;
    StepFrameLook m_look;
    // Before the recovery, which follows the document until it goes.
    std::unique_ptr<StepDocument> m_document;
    StepRecovery m_recovery;
    ProgramRunner *m_runner = nullptr;
};

}  // namespace kq
