#include "base/text_file.h"
#include "context/studio_context.h"
#include "device/device_messages.h"
#include "device/virtual_clock.h"
#include "editors/common/program_file_commands.h"
#include "editors/common/registered_step_windows.h"
#include "editors/icon/icon_drag.h"
#include "editors/icon/icon_program.h"
#include "editors/icon/icon_window.h"
#include "editors/icon/icon_windows.h"
#include "editors/test_step.h"
#include "model/program_file.h"
#include "services/help.h"
#include "services/recovery_offer.h"
#include "services/window_registry.h"
#include "support/fake_waiter.h"
#include "support/menu_bar_entries.h"
#include "support/recording_dialogs.h"
#include "support/recording_launcher.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace kq::testing {
namespace {

using Kind = RecordingDialogs::Kind;

class IconWindowTest : public ::testing::Test {
protected:
    explicit IconWindowTest(const QString &programFolder = QStringLiteral(KQ_DATA_DIR))
        : context(dialogs, waiter, Paths(programFolder, appData.path()), clock)
    {
        window = new IconWindow(context, windows, steps, launcher);
        window->show();
    }
    ~IconWindowTest() override { delete window; }

    template <typename T> T *Find(const QString &name) const { return window->findChild<T *>(name); }
    const IconRow &Row() const { return window->Document().Row(); }
    // The controls a change replaced are deleted once events are handled.
    static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // A palette icon dragged onto a widget of the row and let go there.
    bool DragOnto(QWidget *target, int icon)
    {
        const std::unique_ptr<QMimeData> mime = IconMimeData(icon);
        const QPoint centre = target->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(centre), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        return drop.isAccepted();
    }
    bool DragOntoSlot(int slot, int icon)
    {
        return DragOnto(Find<QWidget>(QStringLiteral("SlotIcon%1").arg(slot)), icon);
    }
    void Trigger(const QString &action) { window->Action(action)->trigger(); }
    static QAction *Entry(QMenu *menu, const QString &text)
    {
        for (QAction *action : menu->actions()) {
            if (action->text() == text)
                return action;
        }
        return nullptr;
    }

    QTemporaryDir appData;
    RecordingDialogs dialogs;
    FakeWaiter waiter;
    VirtualClock clock;
    StudioContext context;
    QWidget menu;
    WindowRegistry windows{menu, [this] { return context.StepSwitch().underWay; }};
    TestStepWindows steps{context};
    RecordingLauncher launcher;
    IconWindow *window = nullptr;
};

TEST_F(IconWindowTest, OpensEmptyAtThreeQuartersOfTheScreen)
{
    EXPECT_EQ(window->objectName(), "TForm8");
    EXPECT_EQ(window->windowTitle(), kStudioCaption);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window->width(), std::max(780, int(std::lround(screen.width() * 0.75))));
    EXPECT_EQ(window->height(), std::max(580, int(std::lround(screen.height() * 0.75))));
    EXPECT_EQ(window->pos(), QPoint(int(std::lround(screen.width() / 8.0)), int(std::lround(screen.height() / 8.0))));
    EXPECT_TRUE(Row().IsEmpty());
    EXPECT_TRUE(window->Action("Transfer")->isEnabled());
    EXPECT_EQ(window->Action("Transfer")->shortcut(), QKeySequence(Qt::Key_F6));
    EXPECT_EQ(window->Action("Run")->shortcut(), QKeySequence(Qt::Key_F7));

    // Every palette icon has its picture, in its row and column.
    const QList<PaletteIcon *> palette = window->findChildren<PaletteIcon *>();
    ASSERT_EQ(palette.size(), 22);
    for (const PaletteIcon *icon : palette)
        EXPECT_FALSE(icon->pixmap().isNull()) << icon->Icon();
    EXPECT_LT(Find<QWidget>("PaletteIcon9")->y(), Find<QWidget>("PaletteIcon10")->y());
    EXPECT_EQ(Find<QWidget>("PaletteIcon9")->x(), Find<QWidget>("PaletteIcon10")->x());
}

TEST_F(IconWindowTest, EveryMenuEntryIsShownAtTheNarrowestWidth)
{
    EXPECT_EQ(EntriesOutsideMenuBarAtWidth(*window, 780), QStringList {});
    // The captions stay as they are, padding included.
    EXPECT_EQ(window->menuBar()->actions().last()->text(), QStringLiteral("　　ヘルプ　　"));
}

TEST_F(IconWindowTest, DroppingOnTheIconAreaOnlyAndTheSliderCaptionFollows)
{
    EXPECT_FALSE(DragOnto(Find<QWidget>("Slot3"), 0));  // the frame around the icon area takes nothing
    EXPECT_TRUE(Row().IsEmpty());

    ASSERT_TRUE(DragOntoSlot(3, 0));
    EXPECT_EQ(Row().At(3), (IconSlot{0, 0, 1}));
    auto *choice = Find<QComboBox>("Choice3");
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->count(), 3);
    EXPECT_EQ(choice->currentText(), "LED点灯");
    auto *slider = Find<QSlider>("Slider3");
    ASSERT_TRUE(slider);
    EXPECT_EQ(slider->maximum(), 127);
    EXPECT_EQ(slider->pageStep(), 3);
    EXPECT_EQ(Find<QLabel>("Caption3")->text(), "秒数： 0.25秒");

    slider->setValue(6);
    EXPECT_EQ(Find<QLabel>("Caption3")->text(), "秒数： 1.5秒");
    EXPECT_EQ(Row().At(3)->value, 6);
    EXPECT_EQ(Find<QSlider>("Slider3"), slider);  // not rebuilt under the pupil's hand

    choice->setCurrentIndex(1);
    Settle();
    EXPECT_FALSE(Find<QSlider>("Slider3"));
    // The slot's narrow lists show their longest entries whole.
    ASSERT_TRUE(DragOntoSlot(5, 18));
    for (const QString &name : {QStringLiteral("Choice3"), QStringLiteral("Choice5")}) {
        const auto *list = Find<QComboBox>(name);
        ASSERT_TRUE(list);
        EXPECT_LE(list->sizeHint().width(), list->width()) << name.toStdString();
    }
    EXPECT_EQ(IconProgramLines(Row(), kCurrentGeneration)[1], "2,1,255,0,0,4,0");

    // The tools shift the row.
    ASSERT_TRUE(DragOntoSlot(0, kInsertToolIcon));
    EXPECT_TRUE(Row().At(4));
    ASSERT_TRUE(DragOntoSlot(1, kDeleteToolIcon));
    EXPECT_TRUE(Row().At(3));
    ASSERT_TRUE(DragOntoSlot(5, kTimerIcon));
    EXPECT_EQ(Find<QLabel>("Caption5")->text(), "秒数： 1秒");
    ASSERT_TRUE(DragOntoSlot(6, kWaitTemperatureIcon));
    EXPECT_EQ(Find<QLabel>("Caption6")->text(), "温度： 25度");
    ASSERT_TRUE(DragOntoSlot(7, kRepeatStartIcon));
    EXPECT_EQ(Find<QLabel>("Caption7")->text(), "回数： 1回");
    ASSERT_TRUE(DragOntoSlot(8, kWaitBrightIcon));
    EXPECT_EQ(Find<QLabel>("Caption8")->text(), "明るさ： 50");
}

TEST_F(IconWindowTest, UnderGenerationThreeTheBrightnessIconHasNoSlider)
{
    context.Generation().Set(kOlderGeneration);
    ASSERT_TRUE(DragOntoSlot(0, kWaitBrightIcon));
    EXPECT_FALSE(Find<QSlider>("Slider0"));
    EXPECT_EQ(IconProgramLines(Row(), kOlderGeneration)[1], "7,2,0,0,0,0,0");
}

TEST_F(IconWindowTest, ContextMenuRecoloursCopiesAndPastes)
{
    ASSERT_TRUE(DragOntoSlot(0, 2));
    Find<QComboBox>("Choice0")->setCurrentIndex(1);
    Settle();

    std::unique_ptr<QMenu> lamp(window->SlotMenu(0));
    QStringList texts;
    for (const QAction *action : lamp->actions())
        texts.append(action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(
        texts,
        (QStringList{"赤色", "緑色", "青色", "黄色", "紫色", "水色", "白色", "消灯", "-", "コピー", "貼り付け"}));
    EXPECT_TRUE(Entry(lamp.get(), "青色")->isChecked());
    Entry(lamp.get(), "消灯")->trigger();
    Settle();
    EXPECT_EQ(Find<QComboBox>("Choice0")->count(), 1);
    EXPECT_EQ(Find<QComboBox>("Choice0")->currentText(), "LED消灯");
    EXPECT_EQ(Find<QLabel>("Caption0")->text(), "秒数： 0.25秒");

    std::unique_ptr<QMenu> empty(window->SlotMenu(5));
    EXPECT_EQ(empty->actions().size(), 2);
    EXPECT_FALSE(Entry(empty.get(), "コピー")->isEnabled());

    std::unique_ptr<QMenu> again(window->SlotMenu(0));
    Entry(again.get(), "コピー")->trigger();
    Entry(empty.get(), "貼り付け")->trigger();
    EXPECT_EQ(Row().At(5), Row().At(0));
}

TEST_F(IconWindowTest, SlotsWrapByTheAreasWidth)
{
    const QWidget *area = Find<QWidget>("DropPanel");
    const int width = area->width();
    EXPECT_EQ(Find<QWidget>("Slot0")->pos(), QPoint(20, 0));
    EXPECT_EQ(Find<QWidget>("Arrow0")->pos(), QPoint(130, 40));
    EXPECT_EQ(Find<QWidget>("Slot1")->pos(), QPoint(165, 0));
    // Every slot stays inside the area; later rows are 150 lower.
    for (int slot = 0; slot < kIconSlotCount; ++slot) {
        const QWidget *frame = Find<QWidget>(QStringLiteral("Slot%1").arg(slot));
        EXPECT_LE(frame->x() + 100, width) << slot;
        EXPECT_EQ(frame->y() % 150, 0);
        EXPECT_EQ(frame->size(), QSize(100, 130));
    }
    EXPECT_GT(Find<QWidget>("Slot23")->y(), 0);
}

TEST_F(IconWindowTest, TransferAndRunOverTheLink)
{
    // No clock yet.
    ASSERT_TRUE(DragOntoSlot(0, kToneIcon));
    Trigger("Transfer");
    EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList{kConnectionMessage});
    EXPECT_TRUE(window->Action("Transfer")->isEnabled());

    dialogs.Clear();
    context.DeviceLink().Start();
    Trigger("Transfer");
    EXPECT_EQ(clock.Items(), (ByteList{240, 230, 2, 150, 4, 231, 0, 250}));
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->Action("Run")->isEnabled());  // the completion report arrived
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

    // The notice's stop button, kept hidden, still stops the program.
    clock.ClearRecord();
    Trigger("Run");
    auto *stop = Find<QPushButton>("StopButton");
    EXPECT_FALSE(stop->isVisible());
    stop->click();
    EXPECT_EQ(clock.Items(), (ByteList{241, 246}));
    EXPECT_FALSE(Find<QWidget>("RunPanel")->isVisible());
    EXPECT_TRUE(window->Action("Run")->isEnabled());

    // A bad row is not sent.
    clock.ClearRecord();
    ASSERT_TRUE(DragOntoSlot(1, kRepeatEndIcon));
    Trigger("Transfer");
    EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList{kIconLoopMessage});
    EXPECT_TRUE(clock.Items().isEmpty());
}

TEST_F(IconWindowTest, MemoryClearReportAndTransferData)
{
    ASSERT_TRUE(DragOntoSlot(0, 0));
    ASSERT_TRUE(DragOntoSlot(4, kRepeatEndIcon));  // no check for the memory display
    Trigger("ShowMemory");
    EXPECT_TRUE(Find<QWidget>("MemoryPanel")->isVisible());
    EXPECT_EQ(Find<QLabel>("MemoryCount")->text(), "7");

    Trigger("Report");
    EXPECT_EQ(window->ReportEntries(), (QStringList{"0,フルカラーLED赤色点灯0.25秒", "16,繰り返し終了"}));

    dialogs.yesNoAnswers.enqueue(false);
    Trigger("ClearAll");
    EXPECT_FALSE(Row().IsEmpty());
    Trigger("ClearAll");
    EXPECT_EQ(dialogs.Texts(Kind::Question), (QStringList{kClearAllQuestion, kClearAllQuestion}));
    EXPECT_TRUE(Row().IsEmpty());
    EXPECT_EQ(Find<QLabel>("MemoryCount")->text(), "0");
}

TEST_F(IconWindowTest, HelpAndTheSwitchToAnotherStep)
{
    Trigger("ShowHelp");
    EXPECT_EQ(launcher.documents, QStringList{context.Paths().ProgramFile(kGeneralHelpPage)});

    ASSERT_TRUE(DragOntoSlot(2, kToneIcon));
    Trigger("ShowText");
    ASSERT_TRUE(steps.Find(Step::Text));
    EXPECT_EQ(steps.Find(Step::Text)->instructions, QStringList{"5,0,0,0,0,0,0"});
    EXPECT_EQ(steps.events, (QStringList{"close 1 (switch from 1)", "show 3"}));
}

TEST_F(IconWindowTest, TheEditMenuUndoesAndRedoesTheRow)
{
    QAction *undo = window->Action("N110");
    QAction *redo = window->Action("N111");
    EXPECT_EQ(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(redo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    auto *edit = Find<QMenu>("EditMenu");
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->title(), "編集");
    EXPECT_EQ(edit->actions(), (QList<QAction *> {undo, redo}));

    ASSERT_TRUE(DragOntoSlot(3, 0));
    Find<QSlider>("Slider3")->setValue(6);
    Find<QComboBox>("Choice3")->setCurrentIndex(1);
    Settle();
    EXPECT_FALSE(Find<QSlider>("Slider3"));

    // The controls show each state the row goes back to.
    undo->trigger();
    Settle();
    EXPECT_EQ(Find<QComboBox>("Choice3")->currentIndex(), 0);
    EXPECT_EQ(Find<QSlider>("Slider3")->value(), 6);
    EXPECT_EQ(Find<QLabel>("Caption3")->text(), "秒数： 1.5秒");
    undo->trigger();
    undo->trigger();
    Settle();
    EXPECT_TRUE(Row().IsEmpty());
    EXPECT_FALSE(Find<QComboBox>("Choice3"));
    for (int step = 0; step < 3; ++step)
        redo->trigger();
    EXPECT_EQ(Row().At(3), (IconSlot {0, 1, std::nullopt}));

    // 全削除 can be undone too.
    window->Action("ClearAll")->trigger();
    EXPECT_TRUE(Row().IsEmpty());
    undo->trigger();
    EXPECT_TRUE(Row().At(3));
}

TEST_F(IconWindowTest, DemosOpenWithTheirOwnProgramLines)
{
    for (const QString &demo : {QStringLiteral("Demo1"), QStringLiteral("Demo2")}) {
        Trigger(demo);
        // The second demo replaces the first, which was never saved.
        EXPECT_EQ(dialogs.Texts(Kind::Question), demo == "Demo1" ? QStringList() : QStringList {kNotSavedQuestion});
        EXPECT_EQ(dialogs.Records().size(), demo == "Demo1" ? 0 : 1) << demo.toStdString();
        EXPECT_FALSE(Row().IsEmpty());
        EXPECT_TRUE(CheckIconLoops(Row()));
        EXPECT_EQ(window->windowTitle(), kStudioCaption);
        const QString file =
            context.Paths().ProgramFile(QStringLiteral("Data\\Demo\\dd\\%1(アイコン).kq27").arg(demo.toLower()));
        const ProgramFileParts parts = SplitProgramFile(ReadTextLines(file)->lines);
        EXPECT_EQ(parts.firstLine, kValidProgramMark);
        EXPECT_EQ(parts.programLines, IconProgramLines(Row(), kCurrentGeneration));
    }

    // No keeps the row; so does No before the open dialog.
    const IconRow demo2 = Row();
    dialogs.Clear();
    dialogs.yesNoAnswers << false << false;
    Trigger("Demo1");
    Trigger("OpenFile");
    EXPECT_EQ(Row(), demo2);
    EXPECT_EQ(dialogs.Texts(Kind::Question), (QStringList {kNotSavedQuestion, kNotSavedQuestion}));
    EXPECT_EQ(dialogs.Records().size(), 2);  // no open dialog

    // After a save, nothing is asked.
    dialogs.fileNames.enqueue(appData.filePath("mine.kq27"));
    Trigger("SaveFile");
    dialogs.Clear();
    Trigger("Demo1");
    EXPECT_TRUE(dialogs.Records().isEmpty());
}

TEST_F(IconWindowTest, DroppedFilesAndTheCloseQuestion)
{
    // Files dropped anywhere on the row.
    QWidget *row = Find<QWidget>("DropPanel");
    auto dropFiles = [row](const QStringList &paths) {
        QMimeData files;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls.append(QUrl::fromLocalFile(path));
        files.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(row, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(row, &drop);
    };
    dropFiles({"/tmp/a.kq27", "/tmp/b.kq27"});
    EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList{kSeveralFilesMessage});

    const QString demo = context.Paths().ProgramFile(QStringLiteral("Data\\Demo\\dd\\demo2(アイコン).kq27"));
    dropFiles({demo});
    EXPECT_EQ(window->windowTitle(), StudioCaptionFor(demo));

    dialogs.yesNoAnswers.enqueue(false);
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dialogs.Texts(Kind::Question), QStringList{kCloseQuestion});
    window->close();
    EXPECT_FALSE(window->isVisible());
}

class IconWindowWithoutPictures : public IconWindowTest {
protected:
    IconWindowWithoutPictures() : IconWindowTest(QStringLiteral("/nonexistent")) {}
};

TEST_F(IconWindowWithoutPictures, ADropShowsTheRestartMessage)
{
    window->DropIcon(0, 0);
    EXPECT_EQ(dialogs.Texts(Kind::Warning), (QStringList{kIconPicturesMissingMessage, kIconDropErrorMessage}));
    EXPECT_TRUE(Row().IsEmpty());
    window->DropIcon(kInsertToolIcon, 0);  // the tools need no picture
    EXPECT_EQ(dialogs.Records().size(), 2);
}

TEST(IconEditorRegistration, TheMenuOpensTheIconWindow)
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
    EXPECT_TRUE(restorers.Knows(QStringLiteral("STEP1")));

    QWidget *opened = windows.OpenFromMenu(WindowKind::IconEditor);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->objectName(), "TForm8");
    EXPECT_TRUE(opened->isVisible());
    EXPECT_FALSE(menu.isVisible());
    const StepEditor editor = steps.ShowStep(Step::Icons);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor.document->StepKind(), Step::Icons);
    opened->close();
    EXPECT_TRUE(menu.isVisible());
}

}  // namespace
}  // namespace kq::testing
