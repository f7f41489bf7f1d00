#include "context/studio_context.h"
#include "device/device_messages.h"
#include "device/virtual_clock.h"
#include "editors/common/program_file_commands.h"
#include "editors/common/registered_step_windows.h"
#include "editors/flowchart/box_look.h"
#include "editors/flowchart/flowchart_painter.h"
#include "editors/flowchart/flowchart_code.h"
#include "editors/flowchart/flowchart_linear.h"
#include "editors/flowchart/flowchart_sheet.h"
#include "editors/flowchart/flowchart_window.h"
#include "editors/flowchart/flowchart_windows.h"
#include "editors/flowchart/palette_image.h"
#include "editors/flowchart/parameters/parameter_windows.h"
#include "editors/test_step.h"
#include "model/program_file.h"
#include "model/program_lines.h"
#include "services/recovery_offer.h"
#include "preview/clock_view.h"
#include "preview/preview_windows.h"
#include "services/window_registry.h"
#include "support/fake_waiter.h"
#include "support/preview_trace.h"
#include "support/recording_dialogs.h"
#include "support/recording_launcher.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>

#include "base/text_file.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kq::testing {
namespace {

using Kind = RecordingDialogs::Kind;

TEST(BoxLook, CaptionsBarsAndFigures)
{
    const QStringList names = {"", "まわる", "", ""};
    const FlowNode dark {1, "full_time", 0, 0, {}, kNoSlot, kNoSlot, "0,0,0,0,10,0"};
    const QString darkCaption = BoxCaptionOf(dark, names, kCurrentGeneration);
    EXPECT_TRUE(darkCaption.contains("消灯")) << darkCaption.toStdString();
    EXPECT_FALSE(darkCaption.contains("点灯"));
    EXPECT_EQ(BarColourOf(dark), (Rgb {128, 128, 128}));
    const FlowNode red {1, "full_time", 0, 0, {}, kNoSlot, kNoSlot, "0,255,0,0,10,0"};
    EXPECT_TRUE(BoxCaptionOf(red, names, kCurrentGeneration).contains("点灯"));
    EXPECT_EQ(BarColourOf(red), (Rgb {255, 0, 0}));
    EXPECT_EQ(BarColourOf(FlowNode {1, "full_conti", 0, 0, {}, kNoSlot, kNoSlot, "0,2,0,0,0,0"}), ColourRgbOf(2));
    EXPECT_EQ(BarColourOf(FlowNode {1, "full_conti", 0, 0, {}, kNoSlot, kNoSlot, "0,9,0,0,0,0"}),
              (Rgb {255, 255, 255}));
    EXPECT_FALSE(BarColourOf(FlowNode {1, "full_conti", 0, 0, {}, kNoSlot, kNoSlot, "1,2,0,0,0,0"}));
    EXPECT_FALSE(BarColourOf(FlowNode {1, "wait", 0, 0, {}, kNoSlot, kNoSlot, "0,1,0,0,0,0"}));

    const FlowNode call {1, "routine", 0, 0, {}, kNoSlot, kNoSlot, "0,2,0,0,0,0"};
    EXPECT_TRUE(BoxCaptionOf(call, names, kCurrentGeneration).endsWith("　　まわる"));
    EXPECT_TRUE(BoxCaptionOf(FlowNode {0, "start", 0, 0, {}, kNoSlot, kNoSlot, "0,0,0,0,0,0"}, names, 4).isEmpty());

    EXPECT_EQ(FigureFileOf(FlowNode {1, "loop", 0, 0, {}, kNoSlot, kNoSlot, "0,3,0,0,0,0"}, true),
              "Img\\Icon\\Fro\\ZU\\Color\\loop.bmp");
    EXPECT_EQ(FigureFileOf(FlowNode {1, "loop", 0, 0, {}, kNoSlot, kNoSlot, "1,0,0,0,0,0"}, false),
              "Img\\Icon\\Fro\\ZU\\White\\endloop.bmp");
    EXPECT_EQ(FigureFileOf(call, true), "Img\\Icon\\Fro\\ZU\\Color\\routine.bmp");
}

class FlowchartWindowTest : public ::testing::Test {
public:
    FlowchartWindowTest() : context(dialogs, waiter, Paths(QStringLiteral(KQ_DATA_DIR), appData.path()), clock)
    {
        RegisterFlowchartParameterDialog(windows);
        windows.CreateReusedWindows();
        window = new FlowchartWindow(context, windows, steps, launcher);
        window->show();
    }
    ~FlowchartWindowTest() override { delete window; }

    const Flowchart &Chart() { return window->Document().Chart(); }
    FlowchartSheet &Sheet() { return window->Sheet(); }

    // Drops a palette picture at sheet point; a parameter dialog that opens
    // is answered with OK (or closed when ok is false).
    bool Drop(int paletteNumber, QPoint point, bool ok = true)
    {
        QTimer::singleShot(0, [ok] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                if (ok)
                    dialog->findChild<QPushButton *>("OK_Button")->click();
                else
                    dialog->reject();
            }
        });
        const std::unique_ptr<QMimeData> mime = PaletteMimeData(paletteNumber);
        QDragEnterEvent enter(point, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&Sheet(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(point), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&Sheet(), &drop);
        return drop.isAccepted();
    }
    void Mouse(QEvent::Type type, QPoint point, Qt::MouseButton button = Qt::LeftButton)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, QPointF(point), QPointF(Sheet().mapToGlobal(point)),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&Sheet(), &event);
    }
    // Press, one move, release.
    void Gesture(QPoint from, QPoint to)
    {
        Mouse(QEvent::MouseButtonPress, from);
        Mouse(QEvent::MouseMove, to);
        Mouse(QEvent::MouseButtonRelease, to);
    }
    QPoint Corner(int slot) { return {Chart().Node(slot).x, Chart().Node(slot).y}; }

    QTemporaryDir appData;
    RecordingDialogs dialogs;
    FakeWaiter waiter;
    VirtualClock clock;
    StudioContext context;
    QWidget menu;
    WindowRegistry windows {menu, [this] { return context.StepSwitch().underWay; }};
    RecordingLauncher launcher;
    TestStepWindows steps {context};
    FlowchartWindow *window = nullptr;
};

TEST_F(FlowchartWindowTest, OpensEmptyWithItsPaletteAndMenus)
{
    EXPECT_EQ(window->objectName(), "TForm2");
    EXPECT_EQ(window->windowTitle(), kStudioCaption);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window->width(), std::max(780, int(std::lround(screen.width() * 0.75))));
    EXPECT_EQ(window->height(), std::max(750, int(std::lround(screen.height() * 0.75))));
    EXPECT_EQ(window->minimumSize(), QSize(780, 750));
    EXPECT_EQ(window->pos(), QPoint(int(std::lround(screen.width() / 8.0)), int(std::lround(screen.height() / 8.0))));
    EXPECT_EQ(Sheet().objectName(), "PaintBox1");
    EXPECT_GE(Sheet().height(), FlowchartSheet::kSheetHeight);
    const QList<PaletteImage *> palette = window->findChildren<PaletteImage *>();
    ASSERT_EQ(palette.size(), 14);
    for (const PaletteImage *image : palette) {
        EXPECT_FALSE(image->pixmap().isNull()) << image->PaletteNumber();
        EXPECT_EQ(image->objectName(), QStringLiteral("DragImage%1").arg(image->PaletteNumber()));
    }
    auto *routines = window->findChild<QComboBox *>("Routine_Combo");
    ASSERT_TRUE(routines);
    EXPECT_EQ(routines->count(), 5);
    EXPECT_EQ(routines->itemText(4), "サブルーチン４");
    EXPECT_EQ(window->Action("N110")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(window->Action("N111")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    EXPECT_EQ(window->Action("Copy1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(window->Action("Paste1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
    EXPECT_EQ(window->Action("Delete1")->shortcut(), QKeySequence(QKeySequence::Delete));
    EXPECT_TRUE(window->Action("N40")->isChecked());
    for (const char *command : {"Transfer", "Run", "OpenFile", "SaveFile", "Report", "Demo1", "ShowText"})
        EXPECT_TRUE(window->Action(command)->isEnabled()) << command;
    EXPECT_EQ(window->Action("Transfer")->shortcut(), QKeySequence(Qt::Key_F6));
    EXPECT_EQ(window->Action("OpenFile")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(window->Action("OpenFile")->text(), "保存ファイルの読み込み");
    EXPECT_EQ(window->Action("Preview")->text(), "　プレビュー　");
}

TEST_F(FlowchartWindowTest, PlacingByDropWithTheParameterDialog)
{
    ASSERT_TRUE(Drop(0, {120, 40}));
    EXPECT_EQ(Chart().Node(0).kind, "start");
    EXPECT_EQ(Corner(0), QPoint(120, 40));
    ASSERT_TRUE(Drop(7, {120, 200}));  // wait: the dialog opens and OK takes its defaults
    EXPECT_EQ(Chart().Node(1).kind, "wait");
    EXPECT_EQ(Chart().UndoStack().last().type, UndoType::Place);
    ASSERT_TRUE(Drop(6, {300, 200}, false));  // closed without OK: nothing placed
    EXPECT_FALSE(Chart().Node(2).IsUsed());

    ASSERT_TRUE(Drop(0, {500, 500}));
    EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList {kSecondStartMessage});
    // Onto a box: the kind changes in place.
    ASSERT_TRUE(Drop(1, {150, 220}));
    EXPECT_EQ(Chart().Node(1).kind, "end");
    EXPECT_EQ(Corner(1), QPoint(120, 200));
    EXPECT_EQ(Chart().UndoStack().last().type, UndoType::Replace);
}

TEST_F(FlowchartWindowTest, ArrowsMovesAndBandsByMouse)
{
    ASSERT_TRUE(Drop(0, {100, 0}));
    ASSERT_TRUE(Drop(1, {100, 200}));
    ASSERT_TRUE(Drop(1, {400, 200}));

    Gesture({150, 40}, {150, 150});  // bottom connector, released on nothing
    EXPECT_EQ(Chart().Node(0).next, kNoSlot);
    Mouse(QEvent::MouseButtonPress, {150, 40});
    Mouse(QEvent::MouseButtonRelease, {150, 40});  // no move, no arrow
    EXPECT_EQ(Chart().Node(0).next, kNoSlot);
    Gesture({150, 40}, {150, 220});
    EXPECT_EQ(Chart().Node(0).next, 1);
    EXPECT_EQ(Chart().Node(1).preds, QList<int> {0});
    Gesture({150, 240}, {450, 220});  // an end has no next arrow, and its connector does not move it
    EXPECT_EQ(Chart().Node(1).next, kNoSlot);
    EXPECT_EQ(Corner(1), QPoint(100, 200));
    Gesture({120, 210}, {420, 190});
    EXPECT_EQ(Corner(1), QPoint(400, 180));
    EXPECT_EQ(Chart().UndoStack().last().type, UndoType::Move);

    // The band selects what it overlaps; a move takes the whole selection.
    Gesture({50, 150}, {700, 300});
    EXPECT_EQ(Chart().Selection(), QList<int>({1, 2}));
    Gesture({420, 190}, {320, 150});
    EXPECT_EQ(Corner(1), QPoint(300, 140));
    EXPECT_EQ(Corner(2), QPoint(300, 160));

    // Nothing goes above the visible edge of the sheet.
    window->SheetArea().verticalScrollBar()->setValue(100);
    Gesture({320, 150}, {320, 0});
    EXPECT_EQ(Corner(1).y(), 100);
    EXPECT_EQ(Corner(2).y(), 100);

    // The empty sheet's press clears the selection.
    Mouse(QEvent::MouseButtonPress, {700, 2000});
    Mouse(QEvent::MouseButtonRelease, {700, 2000});
    EXPECT_TRUE(Chart().Selection().isEmpty());
}

TEST_F(FlowchartWindowTest, AClickOnALoneBoxOpensItsPanel)
{
    ASSERT_TRUE(Drop(0, {100, 0}));
    ASSERT_TRUE(Drop(7, {100, 200}));
    auto *panel = window->findChild<QWidget *>("ParaPanel");
    ASSERT_TRUE(panel);
    Mouse(QEvent::MouseButtonPress, {120, 210});
    Mouse(QEvent::MouseButtonRelease, {120, 210});
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(Chart().Selection(), QList<int> {1});
    const qsizetype depth = Chart().UndoStack().size();
    // OK stores the list and closes the panel: a second OK changes nothing.
    for (int n = 0; n < 2; ++n)
        panel->findChild<QPushButton *>("OK_Button")->click();
    EXPECT_EQ(Chart().UndoStack().size(), depth + 1);
    EXPECT_EQ(Chart().UndoStack().last().type, UndoType::Parameters);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(Chart().Selection().isEmpty());

    Mouse(QEvent::MouseButtonPress, {120, 10});  // a start has no panel
    Mouse(QEvent::MouseButtonRelease, {120, 10});
    EXPECT_FALSE(panel->isVisible());
    Mouse(QEvent::MouseButtonPress, {120, 210});
    Mouse(QEvent::MouseButtonRelease, {120, 210});
    EXPECT_TRUE(panel->isVisible());
    Mouse(QEvent::MouseButtonPress, {700, 700});  // the empty sheet closes it
    EXPECT_FALSE(panel->isVisible());
    Mouse(QEvent::MouseButtonRelease, {700, 700});
}

TEST_F(FlowchartWindowTest, PopupKeysUndoRedoAndRoutines)
{
    ASSERT_TRUE(Drop(0, {100, 0}));
    ASSERT_TRUE(Drop(1, {100, 200}));
    QMenu *onSheet = window->PopupMenu(false);
    EXPECT_FALSE(window->Action("Delete1")->isEnabled());
    EXPECT_FALSE(window->Action("N12")->isEnabled());
    EXPECT_TRUE(window->Action("Copy1")->isEnabled());
    QMetaObject::invokeMethod(onSheet, "aboutToHide");
    window->PopupMenu(true);
    EXPECT_TRUE(window->Action("Delete1")->isEnabled());
    EXPECT_TRUE(window->Action("N24")->isEnabled());

    window->Action("Copy1")->trigger();
    EXPECT_EQ(dialogs.Texts(Kind::Warning).last(), kNothingToCopyMessage);
    Mouse(QEvent::MouseButtonPress, {120, 210}, Qt::RightButton);  // selects the box under the menu
    if (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    EXPECT_EQ(Chart().Selection(), QList<int>{1});
    window->Action("Delete1")->trigger();
    EXPECT_FALSE(Chart().Node(1).IsUsed());
    window->Action("N110")->trigger();
    EXPECT_TRUE(Chart().Node(1).IsUsed());
    window->Action("N111")->trigger();
    EXPECT_FALSE(Chart().Node(1).IsUsed());

    auto *routines = window->findChild<QComboBox *>("Routine_Combo");
    routines->setCurrentIndex(2);
    EXPECT_EQ(Chart().CurrentRoutine(), 2);
    window->Action("N110")->trigger();
    EXPECT_EQ(Chart().CurrentRoutine(), 0);
    EXPECT_EQ(routines->currentIndex(), 0);

    dialogs.yesNoAnswers.enqueue(true);
    window->Action("AllDelete")->trigger();
    EXPECT_EQ(dialogs.Texts(Kind::Question).last(), kFlowchartClearQuestion);
    EXPECT_FALSE(Chart().HasBoxes());
}

TEST_F(FlowchartWindowTest, WheelMemoryPanelAndColourMode)
{
    QWidget *viewport = window->SheetArea().viewport();
    QWheelEvent wheel(QPointF(10, 10), QPointF(viewport->mapToGlobal(QPoint(10, 10))), QPoint(), QPoint(0, -360),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &wheel);
    EXPECT_EQ(window->SheetArea().verticalScrollBar()->value(), 32);

    ASSERT_TRUE(Drop(0, {100, 0}));
    ASSERT_TRUE(Drop(1, {100, 200}));
    window->Action("N34")->trigger();
    EXPECT_TRUE(window->findChild<QWidget *>("MemoryPanel")->isVisible());
    EXPECT_EQ(window->findChild<QLabel *>("MemoryCount")->text(), QString::number(Chart().TotalBytes()));

    const QStringList section = Chart().SectionLines();
    window->Action("N40")->trigger();
    EXPECT_FALSE(window->Action("N40")->isChecked());
    EXPECT_TRUE(QFile::exists(context.Paths().TempFolder() + kRedrawFileName));
    EXPECT_EQ(Chart().SectionLines(), section);
    EXPECT_TRUE(dialogs.Texts(Kind::Warning).isEmpty());
}

TEST_F(FlowchartWindowTest, OpensFromTheMenuPictureAndClosesBackToIt)
{
    menu.show();
    RegisteredStepWindows steps(windows);
    RecoveryRestorers restorers;
    RegisterFlowchartEditor(steps, context, windows, launcher, restorers);
    EXPECT_TRUE(restorers.Knows(QStringLiteral("STEP2")));
    QWidget *opened = windows.OpenFromMenu(WindowKind::FlowchartEditor);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->objectName(), "TForm2");
    EXPECT_TRUE(opened->isVisible());
    EXPECT_FALSE(menu.isVisible());
    opened->close();
    EXPECT_TRUE(menu.isVisible());
}

TEST(RoutinePictures, OnlyRoutinesWithBoxesAtTheirSize)
{
    QTemporaryDir appData;
    const Paths paths(QStringLiteral(KQ_DATA_DIR), appData.path());
    QDir().mkpath(paths.TempFolder() + "Report/Img");
    QFile old(paths.TempFolder() + kRoutinePictureName.arg(0));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    Flowchart chart;
    chart.SwitchRoutine(1);
    ASSERT_EQ(chart.Place(InstructionKind::Wait, 400, 300, {0, {1}}).slot, 1);
    FlowchartPainter painter(paths);
    ASSERT_TRUE(WriteRoutinePictures(painter, chart, paths));
    EXPECT_FALSE(QFile::exists(paths.TempFolder() + kRoutinePictureName.arg(0)));
    const QImage picture(paths.TempFolder() + kRoutinePictureName.arg(1));
    EXPECT_EQ(picture.size(), QSize(535, 385));
    EXPECT_EQ(picture.pixelColor(0, 0), kColourSheet);
}

}  // namespace
}  // namespace kq::testing

namespace kq::testing {
namespace {

// start (50,10) -> wait (50,90) -> end (50,170) in the main routine.
QStringList StraightSection()
{
    QStringList section {kSubroutineMarker, "", "", "", ""};
    section << "0-start-50-10--1--0,0,0,0,0,0" << "1-wait-50-90-0-2--0,1,0,0,0,0" << "2-end-50-170-1---0,0,0,0,0,0";
    for (int n = 3; n < kRoutineCount * kRoutineSlots; ++n)
        section << "0--0-0----";
    return section;
}

TEST_F(FlowchartWindowTest, TransferRunTraceAndEndOverTheLink)
{
    ASSERT_TRUE(window->Document().LoadSection(StraightSection()));
    window->Action("Transfer")->trigger();
    EXPECT_EQ(dialogs.Texts(RecordingDialogs::Kind::Warning), QStringList {kConnectionMessage});
    EXPECT_TRUE(window->Action("Transfer")->isEnabled());

    dialogs.Clear();
    context.DeviceLink().Start();
    window->Action("Transfer")->trigger();
    EXPECT_EQ(clock.Items(), (ByteList {240, 230, 2, 170, 4, 231, 250}));
    EXPECT_EQ(window->AddressMap(), QStringList({"2,1", "4,2"}));
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->Action("Run")->isEnabled());  // the clock's "FFFF" arrived
    EXPECT_TRUE(dialogs.Records().isEmpty());

    clock.ClearRecord();
    clock.SetRunsFinishAtOnce(false);
    window->Action("Run")->trigger();
    EXPECT_EQ(clock.Items(), ByteList {241});
    EXPECT_TRUE(window->findChild<QWidget *>("RunPanel")->isVisible());
    EXPECT_FALSE(window->Action("Transfer")->isEnabled());
    EXPECT_TRUE(window->IsRunning());
    clock.SendExecutedAddress(2);
    QCoreApplication::processEvents();
    EXPECT_EQ(Sheet().TraceSlot(), 1);
    clock.SendExecutedAddress(4);
    QCoreApplication::processEvents();
    EXPECT_EQ(Sheet().TraceSlot(), 2);
    clock.SendExecutedAddress(77);  // no box there: the frame stays
    QCoreApplication::processEvents();
    EXPECT_EQ(Sheet().TraceSlot(), 2);

    clock.FinishRun();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->findChild<QWidget *>("RunPanel")->isVisible());
    EXPECT_TRUE(window->Action("Transfer")->isEnabled());
    EXPECT_FALSE(window->IsRunning());
    EXPECT_EQ(Sheet().TraceSlot(), kNoSlot);
}

TEST_F(FlowchartWindowTest, FailedCheckSendsNothingAndTransferDataNeedsALinearForm)
{
    context.DeviceLink().Start();
    QStringList section = StraightSection();
    section[6] = "1-wait-50-90-0---0,1,0,0,0,0";  // the wait leads nowhere
    ASSERT_TRUE(window->Document().LoadSection(section));
    window->Action("Transfer")->trigger();
    EXPECT_EQ(dialogs.Texts(RecordingDialogs::Kind::Warning),
        QStringList {QStringLiteral("プログラムがきちんと結ばれておりません。\r\nプログラムを確認して下さい。")});
    EXPECT_TRUE(clock.Items().isEmpty());

    dialogs.Clear();
    window->Action("ShowTransferData")->trigger();
    EXPECT_EQ(dialogs.Texts(RecordingDialogs::Kind::Warning), QStringList {kNoTransferDataMessage});

    // An arrow back to the wait: transferred, but no transfer data, silently.
    section[6] = "1-wait-50-90-0,1-1--0,1,0,0,0,0";
    ASSERT_TRUE(window->Document().LoadSection(section));
    dialogs.Clear();
    window->Action("ShowTransferData")->trigger();
    EXPECT_TRUE(dialogs.Records().isEmpty());
    // The preview runs it: 230 2, 170 2 (the wait for a sound), 231.
    RegisterPreviewWindow(windows, context);
    window->Action("Preview")->trigger();
    PreviewWindow *preview = ShownPreview(windows);
    ASSERT_NE(preview, nullptr);
    preview->Play();
    EXPECT_EQ(preview->View().Sound(), SoundPicture::SoundWait);
    preview->close();
}

TEST_F(FlowchartWindowTest, ReadBackOfWhatWasTransferred)
{
    window->Action("ReadBack")->trigger();  // no clock: the sheet is cleared and the pupil told
    EXPECT_EQ(dialogs.Texts(RecordingDialogs::Kind::Warning), QStringList {kConnectionMessage});

    context.DeviceLink().Start();
    QStringList section = StraightSection();
    section[6] = "1-if-50-90-0-2-3-0,0,0,0,0,0";
    section[8] = "3-wait-200-170-1-2--4,5,0,0,0,0";
    section[7] = "2-end-50-170-1,3---0,0,0,0,0,0";
    ASSERT_TRUE(window->Document().LoadSection(section));
    const QStringList lines = *window->Document().ProgramLines().lines;
    window->Action("Transfer")->trigger();
    QCoreApplication::processEvents();

    dialogs.Clear();
    dialogs.yesNoAnswers.enqueue(true);
    window->Action("ReadBack")->trigger();
    EXPECT_EQ(dialogs.Texts(RecordingDialogs::Kind::Question), QStringList {kFlowchartReadBackQuestion});
    EXPECT_FALSE(window->findChild<QWidget *>("ReadPanel")->isVisible());
    EXPECT_EQ(window->Document().ProgramLines().lines, lines);
    EXPECT_EQ(Chart().Node(0, 1).kind, "if");
    EXPECT_EQ(Chart().Node(0, 3).x, 200);  // the branch path beside the if

    // A clock whose memory holds no program start: nothing comes back.
    clock.WriteMemory(0, ByteList {0, 0, 0});
    dialogs.Clear();
    window->Action("ReadBack")->trigger();
    EXPECT_EQ(dialogs.Texts(RecordingDialogs::Kind::Warning), QStringList {kFlowchartNothingReadMessage});
    EXPECT_FALSE(Chart().HasBoxes());
}

TEST_F(FlowchartWindowTest, SwitchToAnotherStepAndBackKeepsTheLayout)
{
    QStringList section = StraightSection();
    section[6] = "1-wait-230-290-0-2--0,1,0,0,0,0";  // moved off the column
    ASSERT_TRUE(window->Document().LoadSection(section));
    const QStringList before = window->Document().SectionLines();
    window->Action("ShowText")->trigger();
    EXPECT_TRUE(steps.events.contains("show 3")) << steps.events.join(", ").toStdString();
    ASSERT_TRUE(steps.Find(Step::Text));

    // The other step left the program unchanged: the cache still holds the boxes.
    const QString cache = context.Paths().TempFolder() + kHandOverFileName;
    window->Document().Edit([](Flowchart &chart) { chart.ClearAll(); });
    EXPECT_EQ(OpenProgramFile(context, window->Document(), *window, cache, OpenOrigin::HandOver), OpenResult::Opened);
    EXPECT_EQ(window->Document().SectionLines(), before);

    // A flowchart without a linear form does not leave its step.
    section[6] = "1-wait-230-290-0,1-1--0,1,0,0,0,0";
    ASSERT_TRUE(window->Document().LoadSection(section));
    dialogs.Clear();
    window->Action("ShowIcons")->trigger();
    EXPECT_EQ(dialogs.Texts(RecordingDialogs::Kind::Warning), QStringList {kCannotHandOverMessage});
}

TEST_F(FlowchartWindowTest, OpeningAFileEmptiesTheClipboard)
{
    ASSERT_TRUE(Drop(0, {100, 0}));
    ASSERT_TRUE(Drop(7, {100, 200}));
    Mouse(QEvent::MouseButtonPress, {120, 210});
    Mouse(QEvent::MouseButtonRelease, {120, 210});
    window->Action("Copy1")->trigger();
    dialogs.yesNoAnswers.enqueue(true);  // not saved: open all the same
    window->Action("Demo1")->trigger();
    ASSERT_TRUE(Chart().Node(1).IsUsed());
    const QStringList demo = window->Document().SectionLines();
    dialogs.Clear();
    window->Action("Paste1")->trigger();
    EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList {kNothingToPasteMessage});
    EXPECT_EQ(window->Document().SectionLines(), demo);
}

TEST_F(FlowchartWindowTest, FileNameAndForeignFileRefusalsAreInformation)
{
    const QString other = appData.filePath("other.kq27");
    ASSERT_TRUE(WriteTextLines(other, {"NG", "reponen=", "DDDATA"}));
    for (const QString &name : {appData.filePath("prog.txt"), other}) {
        dialogs.fileNames.enqueue(name);
        window->Action("OpenFile")->trigger();
    }
    EXPECT_EQ(dialogs.Texts(Kind::Information), QStringList({kWrongExtensionMessage, kFlowchartForeignFileMessage}));
    EXPECT_TRUE(dialogs.Texts(Kind::Warning).isEmpty());
}

// An if whose branch ends at an end box of its own: the file is "OK" with
// lines that every step reads, the branch path as the else part.
TEST_F(FlowchartWindowTest, BranchToASecondEndSavesLinesTheOtherStepsRead)
{
    QStringList section {kSubroutineMarker, "", "", "", ""};
    section << "0-start-50-10--1--0,0,0,0,0,0" << "1-if-50-90-0-2-4-0,0,0,0,0,0" << "2-wait-50-170-1-3--0,1,0,0,0,0"
            << "3-end-50-250-2---0,0,0,0,0,0" << "4-sound-200-170-1-5--1,0,0,0,0,0" << "5-end-200-250-4---0,0,0,0,0,0";
    while (section.size() < 5 + kRoutineCount * kRoutineSlots)
        section << "0--0-0----";
    ASSERT_TRUE(window->Document().LoadSection(section));
    const QString saved = appData.filePath("two ends.kq27");
    dialogs.fileNames.enqueue(saved);
    window->Action("SaveFile")->trigger();
    const std::optional<TextFileContent> file = ReadTextLines(saved);
    ASSERT_TRUE(file);
    const ProgramFileParts parts = SplitProgramFile(file->lines);
    EXPECT_EQ(parts.firstLine, kValidProgramMark);
    EXPECT_EQ(parts.programLines, QStringList({"START", "8,0,0,0,0,0,0", "7,0,1,0,0,0,0", "20,0,0,0,0,0,0",
                                      "5,1,0,0,0,0,0", "21,0,0,0,0,0,0", "END"}));
    EXPECT_FALSE(ParseProgramLines(parts.programLines).error);
    EXPECT_TRUE(dialogs.Texts(Kind::Warning).isEmpty());
}

TEST_F(FlowchartWindowTest, EveryDemoOpensWithItsLayoutAndPassesTheCheck)
{
    for (int n = 1; n <= 4; ++n) {
        // A demo just opened has no saved marker: the next one asks first.
        dialogs.Clear();
        dialogs.yesNoAnswers.enqueue(true);
        window->Action(QStringLiteral("Demo%1").arg(n))->trigger();
        EXPECT_EQ(dialogs.Records().size(), n == 1 ? 0 : 1) << n;
        EXPECT_TRUE(Chart().HasBoxes()) << n;
        EXPECT_GT(Chart().Node(0, 0).x, 0) << n;
        EXPECT_EQ(GenerateProgram(Chart()).result, CheckResult::Correct) << n;
        // The program lines stored for the other steps are what the boxes say.
        const std::optional<TextFileContent> file = ReadTextLines(
            context.Paths().ProgramFile(QStringLiteral("Data\\Demo\\fro\\demo%1(フロー).kq27").arg(n)));
        ASSERT_TRUE(file) << n;
        EXPECT_EQ(window->Document().ProgramLines().lines, SplitProgramFile(file->lines).programLines) << n;
        EXPECT_TRUE(Chart().UndoStack().isEmpty()) << n;
        // The melody demo calls its backlight subroutine.
        if (n == 2) {
            EXPECT_EQ(Chart().Node(1, 0).kind, "start");
        }
    }
}

TEST_F(FlowchartWindowTest, StatusLineShowsTheClocksTwoValues)
{
    context.DeviceLink().Start();
    auto *timer = window->findChild<QTimer *>("StatusTimer");
    ASSERT_TRUE(timer);
    EXPECT_TRUE(timer->isActive());
    clock.SetTemperature(2346);
    clock.SetBrightness(300);
    clock.SendStatusGroup();
    QCoreApplication::processEvents();
    ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout"));
    EXPECT_EQ(window->findChild<QLabel *>("TemperatureLabel")->text(), "23.5");
    EXPECT_EQ(window->findChild<QLabel *>("BrightnessLabel")->text(), "300");
    EXPECT_EQ(window->findChild<QLabel *>("Label21")->text(), QStringLiteral("接続中"));

    // A run stops the timer; the clock's completion report starts it again.
    ASSERT_TRUE(window->Document().LoadSection(StraightSection()));
    clock.SetRunsFinishAtOnce(false);
    window->Action("Run")->trigger();
    EXPECT_FALSE(timer->isActive());
    clock.FinishRun();
    QCoreApplication::processEvents();
    EXPECT_TRUE(timer->isActive());
}

}  // namespace
}  // namespace kq::testing
