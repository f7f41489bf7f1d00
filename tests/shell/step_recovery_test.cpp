#include "base/text_file.h"
#include "context/studio_context.h"
#include "controls/code_editor.h"
#include "device/virtual_clock.h"
#include "editors/common/program_file_commands.h"
#include "editors/common/registered_step_windows.h"
#include "editors/common/step_recovery.h"
#include "editors/flowchart/flowchart_window.h"
#include "editors/icon/icon_window.h"
#include "editors/text/text_window.h"
#include "shell/studio_app.h"
#include "support/abandoned_program.h"
#include "support/fake_waiter.h"
#include "support/file_bytes.h"
#include "support/recording_dialogs.h"
#include "support/recording_launcher.h"
#include "support/temp_paths.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDirIterator>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace kq::testing {
namespace {

using Kind = RecordingDialogs::Kind;

// A started studio over the installed data and a folder it shares with the
// studios a test kills. restore: the answer to the start-up question, when
// one is expected.
struct Studio {
    explicit Studio(const QString &root, std::optional<bool> restore = std::nullopt) : temp(root)
    {
        if (restore)
            dialogs.yesNoAnswers.enqueue(*restore);
        app.Start();
        // The start-up question comes once the event loop runs.
        QCoreApplication::processEvents();
    }

    // The copies in every program's recovery folder, by file name.
    QStringList Copies() const
    {
        QStringList names;
        QDirIterator files(temp.Paths().AppDataFolder(), {QStringLiteral("*.copy")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext())
            names.append(files.nextFileInfo().fileName());
        return names;
    }

    TempPaths temp;
    RecordingDialogs dialogs;
    FakeWaiter waiter;
    RecordingLauncher launcher;
    VirtualClock clock;
    StudioContext context{dialogs, waiter, Paths(QStringLiteral(KQ_DATA_DIR), temp.Paths().AppDataFolder()), clock};
    StudioApp app{context, launcher, QStringLiteral("/nonexistent/KQ18")};
};

void Trigger(QWidget *window, const QString &action)
{
    QAction *found = window->findChild<QAction *>(action);
    ASSERT_TRUE(found) << qPrintable(action);
    found->trigger();
}

// Each step's edits, in rounds: before a save (when the case saves), after
// it, and one more after the restore.
struct StepCase {
    const char *name;
    Step step;
    bool savedFirst;
    void (*edit)(QWidget *window, int round);
    // What the window shows of the work.
    QStringList (*shown)(QWidget *window);
};

void EditIcons(QWidget *window, int round)
{
    auto *icons = static_cast<IconWindow *>(window);
    if (round == 0) {
        icons->DropIcon(0, 0);  // red lamp
        icons->DropIcon(18, 1);  // tone
        icons->DropIcon(8, 2);  // a slider
    } else if (round == 1) {
        icons->Document().SetChoice(1, 2);
        icons->Document().SetValue(2, 7);
    } else {
        icons->DropIcon(3, 5);
    }
}

QStringList ShownIcons(QWidget *window)
{
    auto *icons = static_cast<IconWindow *>(window);
    // The controls a change replaced go once events are handled.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList shown = icons->Document().SectionLines();
    for (int slot = 0; slot < kIconSlotCount; ++slot) {
        if (const auto *choice = icons->findChild<QComboBox *>(QStringLiteral("Choice%1").arg(slot)))
            shown.append(QStringLiteral("%1: %2").arg(slot).arg(choice->currentText()));
        if (const auto *caption = icons->findChild<QLabel *>(QStringLiteral("Caption%1").arg(slot)))
            shown.append(QStringLiteral("%1: %2").arg(slot).arg(caption->text()));
    }
    return shown;
}

void EditFlowchart(QWidget *window, int round)
{
    FlowchartDocument &document = static_cast<FlowchartWindow *>(window)->Document();
    if (round == 0) {
        for (int routine = 0; routine < kRoutineCount; ++routine) {
            document.Edit([routine](Flowchart &chart) {
                chart.SwitchRoutine(routine);
                (void)chart.Place(InstructionKind::Start, 40, 20, {});
                (void)chart.Place(InstructionKind::LightLed, 40 + 10 * routine, 110, {0, {routine % 8, 0, 0, 0, 0}});
            });
        }
    } else if (round == 1) {
        document.Edit([](Flowchart &chart) {
            for (int n = 1; n < kRoutineCount; ++n)
                chart.SetSubroutineName(n, QStringLiteral("ひかる%1").arg(n));
            (void)chart.Place(InstructionKind::Sound, 200, 180, {1, {0, 0, 0, 0, 0}});
            chart.SwitchRoutine(0);
        });
    } else {
        document.Edit([](Flowchart &chart) { (void)chart.Place(InstructionKind::End, 40, 400, {}); });
    }
}

QStringList ShownFlowchart(QWidget *window)
{
    auto *flowchart = static_cast<FlowchartWindow *>(window);
    QStringList shown = flowchart->Document().SectionLines();
    if (const auto *routines = flowchart->findChild<QComboBox *>(QStringLiteral("Routine_Combo"))) {
        for (int i = 0; i < routines->count(); ++i)
            shown.append(routines->itemText(i));
    }
    return shown;
}

void EditText(QWidget *window, int round)
{
    CodeEditor &editor = static_cast<TextWindow *>(window)->EditorControl();
    if (round == 0)
        editor.setPlainText(QStringLiteral("beep1(); // はじめ\nbeep2();"));
    else
        editor.appendPlainText(round == 1 ? QStringLiteral("advancetime(2.5,10); // 最後") : QStringLiteral("beep1();"));
}

QStringList ShownText(QWidget *window)
{
    QString text = static_cast<TextWindow *>(window)->EditorControl().Text();
    // A loaded section ends every line with a line break, as opening any
    // program file does.
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

const StepCase kStepCases[] = {
    {"Icons", Step::Icons, false, EditIcons, ShownIcons},
    {"Flowchart", Step::Flowchart, true, EditFlowchart, ShownFlowchart},
    {"Text", Step::Text, true, EditText, ShownText},
};

class StepRecoveryTest : public ::testing::TestWithParam<StepCase> {
protected:
    QString Root() const { return m_root; }
    QString File(const QString &name) const { return m_root + name; }

    // A studio that had the case's work open, unsaved, when it was killed;
    // what its window showed and what a save would have written are kept
    // beside it.
    void LeaveWork()
    {
        const StepCase &c = GetParam();
        KQ_RUN_THEN_KILL({
            Studio killed(m_root);
            ReportFields report;
            report.name = QStringLiteral("花子");
            report.title = QStringLiteral("ひかる時計");
            killed.context.ReportFields().Set(report);
            const StepEditor editor = killed.app.Steps().ShowStep(c.step);
            QWidget *window = editor.host->DialogParent();
            c.edit(window, 0);
            if (c.savedFirst) {
                killed.dialogs.fileNames.enqueue(File(QStringLiteral("first.kq27")));
                Trigger(window, QStringLiteral("SaveFile"));
            }
            c.edit(window, 1);
            editor.recovery->Writer().Flush();
            (void)WriteTextLines(File(QStringLiteral("shown.txt")), QStringList{window->windowTitle()} + c.shown(window));
            (void)WriteTextLines(File(QStringLiteral("expected.kq27")),
                                 QuietProgramFile(killed.context, *editor.document));
        });
    }

    QString m_root = AbandonedProgramFolder();
};

TEST_P(StepRecoveryTest, WorkOfAKilledStudioComesBackUnsavedAndGoesWithSaveAndClose)
{
    const StepCase &c = GetParam();
    LeaveWork();
    Studio studio(m_root, true);

    const QStringList questions = studio.dialogs.Texts(Kind::Question);
    ASSERT_EQ(questions.size(), 1);
    const QString caption = studio.app.Restorers().Caption(StepRecoveryWindow(c.step));
    EXPECT_TRUE(questions.first().contains(
        QStringLiteral("・%1　%2　").arg(caption, c.savedFirst ? QStringLiteral("first.kq27") : QStringLiteral("新規"))))
        << qPrintable(questions.first());
    ASSERT_TRUE(studio.app.Steps().IsOpen(c.step));
    const StepEditor editor = studio.app.Steps().ShowStep(c.step);
    QWidget *window = editor.host->DialogParent();
    EXPECT_EQ(QStringList{window->windowTitle()} + c.shown(window), ReadTextLines(File("shown.txt"))->lines);
    EXPECT_EQ(window->windowTitle(),
              c.savedFirst ? StudioCaptionFor(File(QStringLiteral("first.kq27"))) : kStudioCaption);
    // The window's own copy replaced the killed studio's.
    EXPECT_EQ(studio.Copies(), QStringList{StepRecoveryWindow(c.step) + QStringLiteral(".copy")});

    // Unsaved: closing asks, and No keeps the window and its copy.
    studio.dialogs.Clear();
    studio.dialogs.yesNoAnswers.enqueue(false);
    window->close();
    EXPECT_EQ(studio.dialogs.Texts(Kind::Question), QStringList{kCloseQuestion});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(studio.Copies().size(), 1);

    // A save writes what the killed studio would have saved, and the copy goes.
    studio.dialogs.fileNames.enqueue(File(QStringLiteral("after.kq27")));
    Trigger(window, QStringLiteral("SaveFile"));
    EXPECT_EQ(ReadBytes(File(QStringLiteral("after.kq27"))), ReadBytes(File(QStringLiteral("expected.kq27"))));
    EXPECT_TRUE(studio.Copies().isEmpty());

    // A change brings a copy back within the second; closing with Yes takes it.
    c.edit(window, 2);
    editor.recovery->Writer().Flush();
    EXPECT_EQ(studio.Copies().size(), 1);
    studio.dialogs.Clear();
    window->close();
    EXPECT_EQ(studio.dialogs.Texts(Kind::Question), QStringList{kCloseQuestion});
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(studio.Copies().isEmpty());
}

TEST_P(StepRecoveryTest, NoDiscardsTheWork)
{
    LeaveWork();
    Studio studio(m_root, false);
    EXPECT_EQ(studio.dialogs.Texts(Kind::Question).size(), 1);
    EXPECT_FALSE(studio.app.Steps().IsOpen(GetParam().step));
    EXPECT_TRUE(studio.Copies().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Steps, StepRecoveryTest, ::testing::ValuesIn(kStepCases),
                         [](const ::testing::TestParamInfo<StepCase> &info) { return std::string(info.param.name); });

class StepSwitchRecoveryTest : public ::testing::Test {
protected:
    StepSwitchRecoveryTest()
    {
        text = studio.app.Steps().ShowStep(Step::Text);
        static_cast<TextWindow *>(text.host->DialogParent())
            ->EditorControl()
            .setPlainText(QStringLiteral("beep1(); // hello\nadvancetime(2.5,10);"));
        text.recovery->Writer().Flush();
    }

    QTemporaryDir root;
    Studio studio{root.path()};
    StepEditor text;
};

TEST_F(StepSwitchRecoveryTest, TheNextStepsCopyReplacesTheClosedOnes)
{
    Trigger(text.host->DialogParent(), QStringLiteral("ShowFlowchart"));
    ASSERT_TRUE(studio.app.Steps().IsOpen(Step::Flowchart));
    // Written at once, not a second later: the text step's copy is gone.
    EXPECT_EQ(studio.Copies(), QStringList{QStringLiteral("STEP2.copy")});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(studio.Copies(), QStringList{QStringLiteral("STEP2.copy")});
}

TEST_F(StepSwitchRecoveryTest, ARefusedSwitchKeepsTheSourceCopyOnly)
{
    // The icon step shows no train.
    Trigger(text.host->DialogParent(), QStringLiteral("ShowIcons"));
    ASSERT_TRUE(studio.app.Steps().IsOpen(Step::Text));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(studio.Copies(), QStringList{QStringLiteral("STEP3.copy")});
}

TEST(StepRecovery, AStudioStillRunningKeepsItsWorkFromASecondOne)
{
    QTemporaryDir root;
    Studio first(root.path());
    const StepEditor icons = first.app.Steps().ShowStep(Step::Icons);
    static_cast<IconWindow *>(icons.host->DialogParent())->DropIcon(0, 0);
    icons.recovery->Writer().Flush();

    Studio second(root.path());
    EXPECT_TRUE(second.dialogs.Texts(Kind::Question).isEmpty());
    EXPECT_EQ(first.Copies(), QStringList{QStringLiteral("STEP1.copy")});
}

}  // namespace
}  // namespace kq::testing
