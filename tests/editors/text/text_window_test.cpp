#include "base/text_file.h"
#include "context/studio_context.h"
#include "controls/code_editor.h"
#include "device/device_messages.h"
#include "device/virtual_clock.h"
#include "editors/common/program_file_commands.h"
#include "editors/common/registered_step_windows.h"
#include "editors/icon/icon_window.h"
#include "editors/icon/icon_windows.h"
#include "editors/test_step.h"
#include "editors/text/keyword_settings.h"
#include "editors/text/text_program.h"
#include "editors/text/text_window.h"
#include "editors/text/text_windows.h"
#include "model/memory_messages.h"
#include "model/program_file.h"
#include "services/help.h"
#include "services/recovery_offer.h"
#include "services/window_registry.h"
#include "support/fake_waiter.h"
#include "support/menu_bar_entries.h"
#include "support/recording_dialogs.h"
#include "support/recording_launcher.h"

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QUrl>

#include <gtest/gtest.h>

namespace kq::testing {
namespace {

using Kind = RecordingDialogs::Kind;

const QString kInvalidSyntax = QStringLiteral("プログラムの構文が間違っております。\r\nプログラムを確認して下さい。");

class TextWindowTest : public ::testing::Test {
protected:
    TextWindowTest() : context(dialogs, waiter, Paths(QStringLiteral(KQ_DATA_DIR), appData.path()), clock)
    {
        window = new TextWindow(context, windows, steps, launcher);
        window->show();
    }
    ~TextWindowTest() override { delete window; }

    template <typename T> T *Find(const QString &name) const { return window->findChild<T *>(name); }
    void Trigger(const QString &action) { window->Action(action)->trigger(); }
    void Type(const QString &text) { window->EditorControl().setPlainText(text); }
    QString DemoPath(int n) const { return context.Paths().ProgramFile(kTextDemoFiles[n - 1]); }

    QTemporaryDir appData;
    RecordingDialogs dialogs;
    FakeWaiter waiter;
    VirtualClock clock;
    StudioContext context;
    QWidget menu;
    WindowRegistry windows{menu, [this] { return context.StepSwitch().underWay; }};
    TestStepWindows steps{context};
    RecordingLauncher launcher;
    TextWindow *window = nullptr;
};

TEST_F(TextWindowTest, OpensWithTheHelpPaneAtThreeQuartersOfTheScreen)
{
    EXPECT_EQ(window->objectName(), "TForm9");
    EXPECT_EQ(window->windowTitle(), kStudioCaption);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window->width(), std::max(780, int(std::lround(screen.width() * 0.75))));
    EXPECT_EQ(window->height(), std::max(750, int(std::lround(screen.height() * 0.75))));
    EXPECT_EQ(window->pos(), QPoint(int(std::lround(screen.width() / 8.0)), int(std::lround(screen.height() / 8.0))));
    EXPECT_TRUE(dialogs.Records().isEmpty());
    EXPECT_EQ(window->Action("Transfer")->shortcut(), QKeySequence(Qt::Key_F6));
    EXPECT_EQ(window->Action("Run")->shortcut(), QKeySequence(Qt::Key_F7));

    auto *help = Find<QTextBrowser>("HelpBrowser");
    EXPECT_EQ(help->source(), QUrl::fromLocalFile(context.Paths().ProgramFile(kInstalledHelpPage)));
    EXPECT_TRUE(help->toPlainText().contains("ledon"));
    help->setSource(QUrl(QStringLiteral("led.html")));
    EXPECT_TRUE(help->source().toString().endsWith("led.html"));
    Find<QPushButton>("BackButton")->click();
    EXPECT_TRUE(help->source().toString().endsWith("index.html"));
    Find<QPushButton>("ForwardButton")->click();
    Find<QPushButton>("ForwardButton")->click();  // past the end: nothing happens
    EXPECT_TRUE(help->source().toString().endsWith("led.html"));
    Find<QPushButton>("TopButton")->click();
    EXPECT_TRUE(help->source().toString().endsWith("index.html"));
}

TEST_F(TextWindowTest, EveryMenuEntryIsShownAtTheNarrowestWidth)
{
    EXPECT_EQ(EntriesOutsideMenuBarAtWidth(*window, 780), QStringList {});
    // The captions stay as they are, padding included.
    EXPECT_EQ(window->menuBar()->actions().last()->text(), QStringLiteral("　　　ヘルプ　　　"));
}

TEST_F(TextWindowTest, CommentsAreColouredGreenAsTheTextChanges)
{
    Type("beep1(); // tone\nbeep2();\n// all of it");
    EXPECT_EQ(window->EditorControl().ColouredRanges(),
              (QList<std::array<int, 3>>{{0, 9, 7}, {2, 0, 12}}));
    EXPECT_EQ(window->Document().Lines(), (QStringList{"beep1(); // tone\r\n", "beep2();\r\n", "// all of it\r\n"}));
    Type("beep1();");
    EXPECT_TRUE(window->EditorControl().ColouredRanges().isEmpty());
}

TEST_F(TextWindowTest, TransferRunAndTheClock)
{
    Type("beep1();");
    Trigger("Transfer");
    EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList{kConnectionMessage});
    EXPECT_TRUE(window->Action("Transfer")->isEnabled());

    dialogs.Clear();
    context.DeviceLink().Start();
    Trigger("Transfer");
    EXPECT_EQ(clock.Items(), (ByteList{240, 230, 2, 150, 4, 231, 250}));
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->Action("Run")->isEnabled());
    EXPECT_TRUE(dialogs.Records().isEmpty());

    clock.ClearRecord();
    clock.SetRunsFinishAtOnce(false);
    Trigger("Run");
    EXPECT_EQ(clock.Items(), ByteList{241});
    EXPECT_TRUE(Find<QWidget>("RunPanel")->isVisible());
    EXPECT_FALSE(window->Action("Transfer")->isEnabled());
    clock.FinishRun();
    QCoreApplication::processEvents();
    EXPECT_FALSE(Find<QWidget>("RunPanel")->isVisible());
    EXPECT_TRUE(window->Action("Transfer")->isEnabled());

    // Refused before anything is sent: a failing check, and a program above 120 bytes.
    clock.ClearRecord();
    Type("beep1();;");
    Trigger("Transfer");
    Type(QStringLiteral("ledon(1,2,3,1);\n").repeated(30));
    Trigger("Transfer");
    EXPECT_EQ(dialogs.Texts(Kind::Warning), (QStringList{kInvalidSyntax, kTextTransferOverflowMessage}));
    EXPECT_TRUE(clock.Items().isEmpty());
    EXPECT_TRUE(window->Action("Transfer")->isEnabled());
}

TEST_F(TextWindowTest, MemoryAndTransferDataNeedAValidProgram)
{
    Type("beep1();;");
    Trigger("ShowMemory");
    Trigger("ShowTransferData");
    EXPECT_EQ(dialogs.Texts(Kind::Warning),
              (QStringList{kInvalidSyntax, kTextMemoryUnavailable, kInvalidSyntax, kTextDataUnavailable}));
    EXPECT_FALSE(Find<QWidget>("MemoryPanel")->isVisible());

    Type("ledon(255,0,0,1);\nbeep1();");
    Trigger("ShowMemory");
    EXPECT_TRUE(Find<QWidget>("MemoryPanel")->isVisible());
    EXPECT_EQ(Find<QLabel>("MemoryCount")->text(), "10");

    dialogs.yesNoAnswers.enqueue(false);
    Trigger("ClearAll");
    EXPECT_FALSE(window->Document().Text().isEmpty());
    Trigger("ClearAll");
    EXPECT_TRUE(window->EditorControl().Text().isEmpty());
    EXPECT_EQ(dialogs.Texts(Kind::Question), (QStringList{kTextClearAllQuestion, kTextClearAllQuestion}));
}

TEST_F(TextWindowTest, EveryCommandThatChecksMarksTheFailingLine)
{
    CodeEditor &editor = window->EditorControl();
    const QLabel *status = Find<QLabel>("ErrorLine");
    ASSERT_NE(status, nullptr);
    for (const char *command : {"Transfer", "ShowMemory", "ShowTransferData", "ShowIcons", "SaveFile"}) {
        SCOPED_TRACE(command);
        dialogs.Clear();
        Type("beep1();\n\n// tone\nbeep1(5);\nbeep2();");
        EXPECT_EQ(editor.ErrorLine(), -1);
        Trigger(command);
        // The message stays as it is; the line is shown beside it.
        ASSERT_FALSE(dialogs.Texts(Kind::Warning).isEmpty());
        EXPECT_EQ(dialogs.Texts(Kind::Warning).first(), kInvalidSyntax);
        EXPECT_EQ(editor.ErrorLine(), 3);
        EXPECT_EQ(editor.textCursor().blockNumber(), 3);
        EXPECT_EQ(editor.textCursor().selectedText(), "beep1(5);");
        EXPECT_EQ(status->text(), QStringLiteral("4行目"));
    }
    EXPECT_TRUE(window->isVisible());

    // The gutter row of the marked line is red, the others stay grey.
    const int gutterX = editor.contentsRect().left() + 2;
    const auto rowY = [&editor](int block) {
        QTextCursor cursor(editor.document()->findBlockByNumber(block));
        return editor.viewport()->y() + editor.cursorRect(cursor).center().y();
    };
    const QImage picture = editor.grab().toImage();
    EXPECT_EQ(picture.pixelColor(gutterX, rowY(3)), QColor(0xd3, 0x2f, 0x2f));
    EXPECT_EQ(picture.pixelColor(gutterX, rowY(1)), QColor(0xee, 0xee, 0xee));

    // An edit drops the mark: the line it named may have moved.
    editor.textCursor().insertText("beep1();");
    EXPECT_EQ(editor.ErrorLine(), -1);
    EXPECT_TRUE(status->text().isEmpty());
    dialogs.Clear();
    Trigger("ShowMemory");
    EXPECT_TRUE(dialogs.Records().isEmpty());
    EXPECT_EQ(editor.ErrorLine(), -1);
}

TEST_F(TextWindowTest, SwitchesThroughTheHandOverFile)
{
    Trigger("ShowHelp");
    EXPECT_EQ(launcher.documents, QStringList{context.Paths().ProgramFile(kGeneralHelpPage)});

    Type("beep1();;");
    Trigger("ShowFlowchart");
    EXPECT_EQ(dialogs.Texts(Kind::Warning), (QStringList{kInvalidSyntax, kCannotHandOverMessage}));
    EXPECT_TRUE(steps.events.isEmpty());

    // The window is closed by the switch and deleted with its step.
    Type("beep1(); // hello\nadvancetime(2.5,10);");
    window->Action("ShowFlowchart")->trigger();
    ASSERT_TRUE(steps.Find(Step::Flowchart));
    EXPECT_EQ(steps.Find(Step::Flowchart)->instructions, (QStringList{"5,0,0,0,0,0,0", "13,0,25,10,0,0,0"}));
    EXPECT_EQ(steps.events, (QStringList{"close 3 (switch from 3)", "show 2"}));
    const ProgramFileParts cache =
        SplitProgramFile(ReadTextLines(context.Paths().TempFolder() + kHandOverFileName)->lines);
    EXPECT_EQ(cache.sectionMarker, kTextSectionMarker);
    EXPECT_EQ(cache.section, (QStringList{"beep1(); // hello", "advancetime(2.5,10);"}));
}

TEST_F(TextWindowTest, DemosOpenThroughTheirProgramLines)
{
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        window->Action(QStringLiteral("Demo%1").arg(n))->trigger();
        EXPECT_TRUE(dialogs.Records().isEmpty());
        EXPECT_EQ(window->windowTitle(), kStudioCaption);
        const ProgramFileParts parts = SplitProgramFile(ReadTextLines(DemoPath(n))->lines);
        EXPECT_EQ(parts.firstLine, kValidProgramMark);
        EXPECT_EQ(window->Document().Check(), std::nullopt);
        EXPECT_EQ(TranslateText(window->Document().Lines(), window->Document().Keywords()), parts.programLines);
    }
}

TEST_F(TextWindowTest, OpeningOtherStepsFilesAndSaving)
{
    const auto write = [this](const QString &name, const QStringList &lines) {
        const QString path = appData.filePath(name);
        EXPECT_TRUE(WriteTextLines(path, lines));
        return path;
    };
    const QStringList report(9, QStringLiteral("reponame="));
    // Another step's program above 120 bytes is refused and leaves the editor empty.
    Type("beep1();");
    QStringList big{"OK", "START"};
    for (int i = 0; i < 30; ++i)
        big << "2,0,1,2,3,4,0";
    big << "END";
    dialogs.fileNames.enqueue(write("big.kq27", big + report + QStringList{"ROUTINE"}));
    Trigger("OpenFile");
    EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList{kTextOpenOverflowMessage});
    EXPECT_TRUE(window->Document().Text().isEmpty());

    // An older clock's brightness condition is shown, and then fails the check.
    dialogs.Clear();
    context.Generation().Set(kOlderGeneration);
    dialogs.fileNames.enqueue(
        write("old.kq27", QStringList{"OK", "START", "8,2,0,0,0,0,0", "20,1,0,0,0,0,0", "21,1,0,0,0,0,0", "END"}
                              + report + QStringList{"ROUTINE"}));
    Trigger("OpenFile");
    EXPECT_TRUE(dialogs.Texts(Kind::Warning).isEmpty());
    EXPECT_EQ(window->EditorControl().Text(), "if(cds=on){\n}\nelse{\n}\n");
    EXPECT_EQ(window->Document().Check(), kInvalidSyntax);

    // "NG" from another step.
    dialogs.fileNames.enqueue(write("ng.kq27", QStringList{"NG"} + report + QStringList{"DDDATA"}));
    Trigger("OpenFile");
    EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList{kTextForeignFileMessage});

    // An invalid text is saved as "NG" after its message, with its text as typed.
    dialogs.Clear();
    Type("Beep1 ( ) ; ; // twice");
    const QString saved = appData.filePath("saved");
    dialogs.fileNames.enqueue(saved);
    Trigger("SaveFile");
    EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList{kInvalidSyntax});
    const QString file = saved + QStringLiteral("(文字).kq27");
    const ProgramFileParts parts = SplitProgramFile(ReadTextLines(file)->lines);
    EXPECT_EQ(parts.firstLine, kInvalidProgramMark);
    EXPECT_EQ(parts.section, QStringList{"Beep1 ( ) ; ; // twice"});
    EXPECT_EQ(window->windowTitle(), StudioCaptionFor(file));

    // It reopens as typed, from a drop too; closing right after asks nothing.
    Type(QString());
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(file)});
    // Dropped on the text itself.
    QWidget *target = window->EditorControl().viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    EXPECT_EQ(window->EditorControl().Text(), "Beep1 ( ) ; ; // twice\n");
    dialogs.Clear();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(dialogs.Texts(Kind::Question), QStringList{});
}

TEST_F(TextWindowTest, ClosingAfterAnEditAsks)
{
    window->close();
    EXPECT_FALSE(window->isVisible());  // empty: nothing to ask
    window->show();
    Type("beep1();");
    dialogs.yesNoAnswers.enqueue(false);
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dialogs.Texts(Kind::Question), QStringList{kCloseQuestion});
}

TEST(TextEditorRegistration, TheMenuOpensTheTextWindowAndTheSettings)
{
    QTemporaryDir appData;
    RecordingDialogs dialogs;
    FakeWaiter waiter;
    VirtualClock clock;
    StudioContext context(dialogs, waiter, Paths(QStringLiteral(KQ_DATA_DIR), appData.path()), clock);
    QWidget menu;
    menu.show();
    WindowRegistry windows(menu, [&context] { return context.StepSwitch().underWay; });
    RegisteredStepWindows steps(windows);
    RecordingLauncher launcher;
    RecoveryRestorers restorers;
    RegisterTextEditor(steps, context, windows, launcher, restorers);
    EXPECT_TRUE(restorers.Knows(QStringLiteral("STEP3")));

    QWidget *opened = windows.OpenFromMenu(WindowKind::TextEditor);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->objectName(), "TForm9");
    EXPECT_EQ(opened->windowTitle(), kStudioCaption);
    EXPECT_FALSE(menu.isVisible());
    const StepEditor editor = steps.ShowStep(Step::Text);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor.document->StepKind(), Step::Text);
    opened->close();
    EXPECT_TRUE(menu.isVisible());

    QWidget *settings = windows.OpenFromMenu(WindowKind::KeywordSettings);
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->objectName(), "TForm10");
    EXPECT_EQ(settings->windowTitle(), "設定");
    EXPECT_FALSE(menu.isVisible());
    settings->close();
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(dialogs.Records().isEmpty());
}

TEST(TextEditorRegistration, SwitchesToTheIconStepAndBackThroughTheHandOverFile)
{
    QTemporaryDir appData;
    RecordingDialogs dialogs;
    FakeWaiter waiter;
    VirtualClock clock;
    StudioContext context(dialogs, waiter, Paths(QStringLiteral(KQ_DATA_DIR), appData.path()), clock);
    QWidget menu;
    menu.show();
    WindowRegistry windows(menu, [&context] { return context.StepSwitch().underWay; });
    RegisteredStepWindows steps(windows);
    RecordingLauncher launcher;
    RecoveryRestorers restorers;
    RegisterIconEditor(steps, context, windows, launcher, restorers);
    RegisterTextEditor(steps, context, windows, launcher, restorers);

    auto *text = qobject_cast<TextWindow *>(windows.OpenFromMenu(WindowKind::TextEditor));
    ASSERT_TRUE(text);
    text->EditorControl().setPlainText("beep1(); // first\nbeep2();");
    text->Action("ShowIcons")->trigger();
    auto *icons = windows.FindAs<IconWindow>(WindowKind::IconEditor);
    ASSERT_TRUE(icons);
    EXPECT_TRUE(icons->isVisible());
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(icons->Document().ProgramLines().lines, (QStringList{"START", "5,0,0,0,0,0,0", "5,1,0,0,0,0,0", "END"}));

    // Unchanged, the program comes back in the shape it was written in.
    icons->Action("ShowText")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    text = windows.FindAs<TextWindow>(WindowKind::TextEditor);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->EditorControl().Text(), "beep1(); // first\nbeep2();\n");
    EXPECT_TRUE(dialogs.Texts(RecordingDialogs::Kind::Warning).isEmpty());
}

}  // namespace
}  // namespace kq::testing
