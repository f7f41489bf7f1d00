// Renders the studio's windows in typical states to PNG files so their look
// can be reviewed without a display:
//   snapshots <data-tree> <output-folder>
#include "context/studio_context.h"
#include "controls/clickable_picture.h"
#include "controls/code_editor.h"
#include "controls/transfer_progress_window.h"
#include "device/virtual_clock.h"
#include "editors/common/registered_step_windows.h"
#include "editors/flowchart/flowchart_sheet.h"
#include "editors/flowchart/flowchart_window.h"
#include "editors/flowchart/parameters/parameter_controls.h"
#include "editors/flowchart/parameters/parameter_windows.h"
#include "editors/icon/icon_window.h"
#include "editors/text/keyword_settings_window.h"
#include "editors/text/text_window.h"
#include "learning/learning_windows.h"
#include "learning/practice/flow_practice_areas.h"
#include "learning/practice/flow_practice_window.h"
#include "learning/practice/icon_practice_window.h"
#include "learning/practice/practice_checks.h"
#include "learning/practice/text_practice_window.h"
#include "learning/report_window.h"
#include "learning/transfer_data_window.h"
#include "preview/preview_window.h"
#include "services/recovery_offer.h"
#include "preview/preview_windows.h"
#include "services/window_registry.h"
#include "shell/main_menu.h"
#include "shell/splash.h"
#include "support/fake_waiter.h"
#include "support/preview_trace.h"
#include "support/recording_dialogs.h"
#include "support/recording_launcher.h"
#include "tools/control/clock_setting_window.h"
#include "tools/control/thermometer_window.h"
#include "tools/control/train_window.h"
#include "tools/melody/melody_window.h"
#include "tools/melody/note_dialog.h"
#include "tools/melody/sound_output.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEnterEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <functional>

namespace {

// The melody window plays nothing here.
class SilentSound final : public kq::SoundOutput {
public:
    void Play(const QString &) override {}
    void PlayWave(const QByteArray &) override {}
};

bool Save(QWidget &widget, const QString &folder, const QString &name)
{
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (widget.grab().save(path))
        return true;
    std::fprintf(stderr, "snapshots: cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fputs("usage: snapshots <data-tree> <output-folder>\n", stderr);
        return 2;
    }
    const QString out = args[2];
    QDir().mkpath(out);

    QTemporaryDir appData;
    kq::testing::RecordingDialogs dialogs;
    kq::testing::FakeWaiter waiter;
    kq::VirtualClock clock;
    kq::StudioContext context(dialogs, waiter, kq::Paths(args[1], appData.path()), clock);

    kq::Splash splash(context.Paths());
    kq::MainMenu menu(context);
    menu.show();
    bool saved = Save(splash, out, QStringLiteral("splash")) && Save(menu, out, QStringLiteral("menu_start"));
    menu.ShowPage(kq::MainMenu::Page::Studio);
    saved = saved && Save(menu, out, QStringLiteral("menu_studio"));

    // The highlight a picture shows under the mouse.
    auto *help = menu.findChild<kq::ClickablePicture *>(QStringLiteral("Image19"));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(help, &enter);
    saved = saved && Save(menu, out, QStringLiteral("menu_studio_hover_help"));

    // A program with a red lamp, a switch wait and an if/else block.
    kq::TransferDataWindow viewer(context.Paths());
    viewer.ShowProgram({"START", "2,0,255,0,0,4,0", "7,1,0,0,0,0,0", "8,4,30,0,0,0,0", "5,0,0,0,0,0,0",
                                   "20,2,0,0,0,0,0", "13,0,25,10,0,0,0", "21,2,0,0,0,0,0", "END"});
    viewer.show();
    saved = saved && Save(viewer, out, QStringLiteral("transfer_data"));

    kq::TransferProgressWindow progress;
    progress.ShowCentredOver(nullptr);
    progress.SetProgress(40);
    saved = saved && Save(progress, out, QStringLiteral("transfer_progress"));
    // The melody editor with every length, sharps, rests and the LED link on,
    // over two rows of the staff; and its note dialog.
    kq::testing::RecordingLauncher launcher;
    kq::MelodyWindow melody(context, launcher, [](int) { return std::nullopt; }, std::make_unique<SilentSound>());
    melody.resize(1000, 720);
    melody.show();
    for (int length = 0; length < kq::kLengthCount; ++length) {
        melody.findChild<QRadioButton *>(QStringLiteral("radio_Len%1").arg(length))->click();
        for (const kq::KeyChoice key : {kq::KeyChoice{length * 4, false}, kq::KeyChoice{length * 4 + 1, true},
                                        kq::KeyChoice{kq::kRestKey, false}, kq::KeyChoice{21 - length, false}})
            melody.AppendKey(key);
    }
    for (int led = 0; led < kq::kLedCount; ++led)
        melody.findChild<QComboBox *>(QStringLiteral("LED_Combo%1").arg(led))->setCurrentIndex(led % 8);
    melody.findChild<QRadioButton *>(QStringLiteral("LinkOn"))->click();
    saved = saved && Save(melody, out, QStringLiteral("melody_editor"));
    melody.resize(melody.minimumSize());
    QCoreApplication::processEvents();
    saved = saved && Save(melody, out, QStringLiteral("melody_editor_smallest"));
    kq::NoteDialog noteDialog;
    noteDialog.show();
    saved = saved && Save(noteDialog, out, QStringLiteral("note_dialog"));

    // The thermometer after twenty readings warming past the set 25.0, the
    // clock setting proposing 10:16, the train going forward for 2.5 s.
    context.DeviceLink().Start();
    QDateTime moment(QDate(2025, 3, 7), QTime(10, 15, 30));
    const kq::CurrentTime fixedTime = [&moment] { return moment; };
    kq::ThermometerWindow thermometer(context, fixedTime);
    thermometer.show();
    clock.SetTemperature(2380);
    thermometer.Start();
    for (int reading = 1; reading < 20; ++reading) {
        moment = moment.addSecs(1);
        clock.SetTemperature(2380 + reading * 13 - (reading % 3) * 4);
        thermometer.TakeReading();
    }
    saved = saved && Save(thermometer, out, QStringLiteral("thermometer"));
    thermometer.Stop();
    moment = QDateTime(QDate(2025, 3, 7), QTime(10, 15, 30));
    kq::ClockSettingWindow clockSetting(context, fixedTime);
    clockSetting.show();
    saved = saved && Save(clockSetting, out, QStringLiteral("clock_setting"));
    kq::TrainWindow train(context);
    train.show();
    train.findChild<QSlider *>(QStringLiteral("TrackBar0"))->setValue(25);
    train.Drive(kq::TrainDirection::Forward);
    saved = saved && Save(train, out, QStringLiteral("train"));

    // STEP1 showing each demo, then the memory panel over the first one.
    kq::WindowRegistry iconRegistry(menu, [] { return false; });
    kq::RegisteredStepWindows iconSteps(iconRegistry);
    kq::testing::RecordingLauncher iconLauncher;
    kq::IconWindow icons(context, iconRegistry, iconSteps, iconLauncher);
    icons.show();
    for (const QString &demo : {QStringLiteral("Demo1"), QStringLiteral("Demo2")}) {
        icons.Action(demo)->trigger();
        // The replaced slot controls go first.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        saved = saved && Save(icons, out, QStringLiteral("icon_editor_") + demo.toLower());
    }
    icons.Action(QStringLiteral("ShowMemory"))->trigger();
    saved = saved && Save(icons, out, QStringLiteral("icon_editor_memory"));
    // The edit menu open below its bar entry.
    if (auto *edit = icons.findChild<QMenu *>(QStringLiteral("EditMenu"))) {
        const QRect entry = icons.menuBar()->actionGeometry(edit->menuAction());
        edit->popup(icons.menuBar()->mapToGlobal(entry.bottomLeft()));
        saved = saved && Save(*edit, out, QStringLiteral("icon_editor_edit_menu"));
        edit->hide();
    }
    icons.findChild<QWidget *>(QStringLiteral("MemoryPanel"))->hide();

    // The first demo in the preview: its third icon framed while it runs.
    kq::RegisterPreviewWindow(iconRegistry, context);
    icons.Action(QStringLiteral("Demo1"))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Plays the preview a step opened and takes the step once it shows the mark.
    const auto snapWhileMarked = [&](kq::WindowRegistry &registry, QWidget &editor, const QString &name,
                                     const std::function<bool()> &marked) {
        kq::PreviewWindow *preview = kq::testing::ShownPreview(registry);
        if (!preview) {
            std::fprintf(stderr, "snapshots: no preview for %s\n", qPrintable(name));
            saved = false;
            return;
        }
        bool taken = false;
        waiter.SetOnWait([&](int) {
            if (!taken && marked()) {
                taken = true;
                saved = saved && Save(editor, out, name);
            }
        });
        preview->Play();
        waiter.SetOnWait({});
        preview->close();
        if (!taken) {
            std::fprintf(stderr, "snapshots: %s never showed its mark\n", qPrintable(name));
            saved = false;
        }
    };
    icons.Action(QStringLiteral("Preview"))->trigger();
    snapWhileMarked(iconRegistry, icons, QStringLiteral("icon_editor_preview_trace"),
                    [&] { return icons.TraceSlot() == 2; });

    // The flowchart's parameter dialog as a drop opens it, and the panel
    // showing boxes already on the sheet.
    {
        const QStringList names = {QStringLiteral("ひかり"), QStringLiteral("おと"), QStringLiteral("LED"),
                                   QStringLiteral("でんしゃ")};
        kq::ParameterDialog dialog;
        const auto snapDialog = [&](kq::InstructionKind kind, const QString &name, const std::function<void()> &set) {
            QTimer::singleShot(0, &dialog, [&] {
                set();
                saved = saved && Save(dialog, out, QStringLiteral("parameter_dialog_") + name);
                dialog.reject();
            });
            (void)dialog.Ask(kind, names, kq::kCurrentGeneration, QPoint(200, 200), QRect(0, 0, 1600, 1200));
        };
        snapDialog(kq::InstructionKind::FullTime, QStringLiteral("full_time"), [&] {
            auto *colour = dialog.findChild<QComboBox *>(QStringLiteral("Color_Combo"));
            colour->setCurrentIndex(3);
            emit colour->activated(3);
        });
        snapDialog(kq::InstructionKind::Routine, QStringLiteral("routine"),
                   [&] { dialog.findChild<QSlider *>(QStringLiteral("Para_TrackBar0"))->setValue(3); });
        snapDialog(kq::InstructionKind::Train, QStringLiteral("train"), [] {});
        snapDialog(kq::InstructionKind::FullConti, QStringLiteral("full_conti"), [] {});

        kq::ParameterControls panel(kq::ParameterControls::Mode::Panel);
        panel.setFixedWidth(230);
        panel.show();
        const std::pair<kq::InstructionKind, const char *> boxes[] = {
            {kq::InstructionKind::FullTime, "0,0,255,255,6,0"},
            {kq::InstructionKind::Timer, "5,30,28,0,0,0"},
            {kq::InstructionKind::Routine, "0,3,0,0,0,0"},
        };
        for (const auto &[kind, list] : boxes) {
            panel.ShowFor(kind, kq::ParameterList::FromText(QString::fromLatin1(list)), names, kq::kCurrentGeneration);
            panel.adjustSize();
            saved = saved && Save(panel, out, QStringLiteral("parameter_panel_") + kq::NameOf(kind));
        }
    }

    // STEP2 with a program of every instruction kind, in colour and black on
    // white, then with the panel of a clicked box and the memory panel.
    {
        kq::WindowRegistry flowRegistry(menu, [] { return false; });
        kq::RegisterFlowchartParameterDialog(flowRegistry);
        kq::testing::RecordingLauncher flowLauncher;
        kq::RegisteredStepWindows flowSteps(flowRegistry);
        kq::FlowchartWindow flow(context, flowRegistry, flowSteps, flowLauncher);
        flow.resize(1200, 900);
        flow.show();
        struct Box {
            kq::InstructionKind kind;
            int x;
            int y;
            const char *params;
        };
        const Box boxes[] = {
            {kq::InstructionKind::Start, 40, 20, ""},
            {kq::InstructionKind::FullTime, 40, 110, "0,255,0,0,10,0"},
            {kq::InstructionKind::FullTime, 40, 200, "0,0,0,0,5,0"},
            {kq::InstructionKind::FullConti, 40, 290, "0,3,0,0,0,0"},
            {kq::InstructionKind::LightLed, 40, 380, "0,1,0,0,0,0"},
            {kq::InstructionKind::Sound, 40, 470, "0,1,0,0,0,0"},
            {kq::InstructionKind::Loop, 220, 20, "0,3,0,0,0,0"},
            {kq::InstructionKind::Timer, 220, 110, "0,10,0,0,0,0"},
            {kq::InstructionKind::Wait, 220, 200, "0,1,0,0,0,0"},
            {kq::InstructionKind::If, 220, 290, "0,0,0,0,0,0"},
            {kq::InstructionKind::Routine, 220, 380, "0,1,0,0,0,0"},
            {kq::InstructionKind::Loop, 220, 470, "1,0,0,0,0,0"},
            {kq::InstructionKind::Dainyuu, 420, 290, "0,5,0,0,0,0"},
            {kq::InstructionKind::Output, 420, 380, "0,1,0,0,0,0"},
            {kq::InstructionKind::Train, 420, 470, "0,1,0,0,0,0"},
            {kq::InstructionKind::End, 220, 580, ""},
        };
        flow.Document().Edit([&](kq::Flowchart &chart) {
            QList<int> placed;
            for (const Box &box : boxes)
                placed << chart
                              .Place(box.kind, box.x, box.y,
                                     kq::ParameterList::FromText(QString::fromLatin1(box.params))
                                         .value_or(kq::ParameterList {}))
                              .slot;
            chart.SetSubroutineName(1, QStringLiteral("ひかる"));
            const auto link = [&](int from, int to, kq::Connector connector) {
                const kq::FlowNode &target = chart.Node(placed[to]);
                (void)chart.Link(placed[from], connector, QPoint(target.x + 50, target.y + 25));
            };
            for (int i = 0; i < 5; ++i)
                link(i, i + 1, kq::Connector::Next);
            link(5, 6, kq::Connector::Next);
            for (int i = 6; i < 11; ++i)
                link(i, i + 1, kq::Connector::Next);
            link(9, 12, kq::Connector::Branch);
            link(12, 13, kq::Connector::Next);
            link(13, 14, kq::Connector::Next);
            link(14, 11, kq::Connector::Next);
            link(11, 15, kq::Connector::Next);
            chart.Press(placed[9]);
        });
        saved = saved && Save(flow, out, QStringLiteral("flowchart_editor_colour"));
        flow.Action(QStringLiteral("N40"))->trigger();
        saved = saved && Save(flow, out, QStringLiteral("flowchart_editor_white"));
        flow.Action(QStringLiteral("N40"))->trigger();
        flow.Document().Edit([](kq::Flowchart &chart) { chart.Press(1); });
        emit flow.Sheet().BoxClicked(1);
        saved = saved && Save(flow, out, QStringLiteral("flowchart_editor_panel"));
        flow.Action(QStringLiteral("N34"))->trigger();
        saved = saved && Save(flow, out, QStringLiteral("flowchart_editor_memory"));
        // The red frame of the running program's trace.
        flow.findChild<QWidget *>(QStringLiteral("MemoryPanel"))->hide();
        flow.Sheet().SetTraceSlot(1);
        saved = saved && Save(flow, out, QStringLiteral("flowchart_editor_trace"));
        // Program lines with nested, empty and looped if blocks, imported at
        // the window's smallest size.
        flow.Sheet().SetTraceSlot(kq::kNoSlot);
        emit flow.Sheet().EmptySheetPressed();
        flow.resize(780, 750);
        (void)flow.Document().LoadProgramLines(
            {QStringLiteral("START"), QStringLiteral("8,0,0,0,0,0,0"), QStringLiteral("8,2,50,0,0,0,0"),
             QStringLiteral("5,0,0,0,0,0,0"), QStringLiteral("20,1,0,0,0,0,0"), QStringLiteral("7,0,2,0,0,0,0"),
             QStringLiteral("21,1,0,0,0,0,0"), QStringLiteral("20,0,0,0,0,0,0"), QStringLiteral("9,0,3,0,0,0,0"),
             QStringLiteral("8,4,25,0,0,0,0"), QStringLiteral("20,2,0,0,0,0,0"), QStringLiteral("4,1,0,0,0,0,0"),
             QStringLiteral("21,2,0,0,0,0,0"), QStringLiteral("9,1,0,0,0,0,0"), QStringLiteral("21,0,0,0,0,0,0"),
             QStringLiteral("8,1,0,0,0,0,0"), QStringLiteral("20,0,0,0,0,0,0"), QStringLiteral("21,0,0,0,0,0,0"),
             QStringLiteral("5,2,0,0,0,0,0"), QStringLiteral("END")});
        saved = saved && Save(flow, out, QStringLiteral("flowchart_editor_imported"));

        // The preview inside a subroutine: the frame stays on the calling box.
        kq::RegisterPreviewWindow(flowRegistry, context);
        flow.resize(1200, 900);
        QStringList section {kq::kSubroutineMarker, QStringLiteral("まつ"), QString(), QString(), QString()};
        for (int n = 0; n < kq::kRoutineCount * kq::kRoutineSlots; ++n)
            section << QStringLiteral("0--0-0----");
        section[5] = QStringLiteral("0-start-60-20--1--0,0,0,0,0,0");
        section[6] = QStringLiteral("1-full_time-60-110-0-2--0,255,0,0,4,0");
        section[7] = QStringLiteral("2-routine-60-200-1-3--0,1,0,0,0,0");
        section[8] = QStringLiteral("3-sound-60-290-2-4--0,0,0,0,0,0");
        section[9] = QStringLiteral("4-end-60-380-3---0,0,0,0,0,0");
        section[65] = QStringLiteral("0-start-60-20--1--0,0,0,0,0,0");
        section[66] = QStringLiteral("1-timer-60-110-0-2--0,2,0,0,0,0");
        section[67] = QStringLiteral("2-end-60-200-1---0,0,0,0,0,0");
        if (!flow.Document().LoadSection(section)) {
            std::fputs("snapshots: the flowchart with a subroutine does not load\n", stderr);
            saved = false;
        }
        flow.Action(QStringLiteral("Preview"))->trigger();
        bool inSubroutine = false;
        snapWhileMarked(flowRegistry, flow, QStringLiteral("flowchart_editor_preview_trace"), [&] {
            // The subroutine's timer is the only wait of two seconds.
            inSubroutine = inSubroutine || waiter.Waits().last() == 2000;
            return inSubroutine && flow.Sheet().TraceSlot() == 2;
        });
    }

    // STEP3 showing the second demo as text beside its help, its memory
    // panel, and the keyword settings.
    {
        kq::WindowRegistry textRegistry(menu, [] { return false; });
        kq::RegisteredStepWindows textSteps(textRegistry);
        kq::testing::RecordingLauncher textLauncher;
        kq::TextWindow text(context, textRegistry, textSteps, textLauncher);
        text.show();
        text.Action(QStringLiteral("Demo2"))->trigger();
        saved = saved && Save(text, out, QStringLiteral("text_editor_demo2"));
        text.Action(QStringLiteral("ShowMemory"))->trigger();
        saved = saved && Save(text, out, QStringLiteral("text_editor_memory"));
        text.findChild<QWidget *>(QStringLiteral("MemoryPanel"))->hide();
        // The demo in the preview: the running statement's line marked.
        kq::RegisterPreviewWindow(textRegistry, context);
        text.Action(QStringLiteral("Preview"))->trigger();
        snapWhileMarked(textRegistry, text, QStringLiteral("text_editor_preview_trace"),
                        [&] { return text.EditorControl().TraceLine().value_or(0) >= 3; });

        // A failing check: its line marked in the gutter and selected, its
        // number in the status line.
        text.EditorControl().setPlainText(
            QStringLiteral("// 音を鳴らす\nbeep1();\nif(sw=on){\nbeep2(5);\n}\nelse{\nbeep3();\n}"));
        text.Action(QStringLiteral("Transfer"))->trigger();
        saved = saved && Save(text, out, QStringLiteral("text_editor_error_line"));
        kq::KeywordSettingsWindow settings(context);
        settings.show();
        saved = saved && Save(settings, out, QStringLiteral("keyword_settings"));
    }

    // Preview: playing with the lamp lit and the backlight on, then paused
    // on a wait for the switch with the melody looping.
    {
        kq::PreviewWindow preview(context);
        preview.show();
        // 0 start, 2 backlight on, 4 melody on, 6 steady red lamp, 9 timer 1 s, 12 wait for the switch, 14 end
        preview.SetProgram({230, 2, 141, 4, 157, 6, 135, 0, 9, 160, 1, 12, 171, 14, 231});
        waiter.SetOnWait([&](int ms) {
            if (ms > 0)
                saved = saved && Save(preview, out, QStringLiteral("preview_playing"));
        });
        preview.Play();
        waiter.SetOnWait({});
        saved = saved && Save(preview, out, QStringLiteral("preview_paused_on_wait"));
        preview.Stop();
    }

    // STEP1 practice: the first exercise, then red dropped and set to one second,
    // then green fading in (the longest choice of the slot's list).
    {
        kq::IconPracticeWindow practice(context);
        practice.show();
        saved = saved && Save(practice, out, QStringLiteral("icon_practice"));
        practice.DropIcon(0);
        practice.Slider()->setValue(4);
        saved = saved && Save(practice, out, QStringLiteral("icon_practice_answered"));
        practice.DropIcon(1);
        practice.findChild<QComboBox *>(QStringLiteral("Choice"))->setCurrentIndex(1);
        saved = saved && Save(practice, out, QStringLiteral("icon_practice_fade"));
        // Solved: the second exercise, whose 前へ goes back to the first.
        practice.DropIcon(0);
        practice.Slider()->setValue(4);
        practice.Check();
        saved = saved && Save(practice, out, QStringLiteral("icon_practice_page2"));
    }

    // STEP2 practice: the first page, the placed box, the panel and both arrows drawn.
    {
        kq::FlowPracticeWindow practice(context);
        practice.show();
        saved = saved && Save(practice, out, QStringLiteral("flowchart_practice"));
        practice.ForwardButton(0)->click();
        practice.ForwardButton(1)->click();
        practice.ForwardButton(2)->click();
        practice.DropKind(2, QPoint(120, 80));
        saved = saved && Save(practice, out, QStringLiteral("flowchart_practice_placed"));
        practice.ForwardButton(3)->click();
        practice.ForwardButton(4)->click();
        saved = saved && Save(practice, out, QStringLiteral("flowchart_practice_panel"));
        practice.SettingsChosen({0, kq::Rgb {255, 0, 0}, 4});
        practice.ForwardButton(5)->click();
        practice.ForwardButton(6)->click();
        kq::FlowPracticeLinkArea *area = practice.LinkArea();
        const auto press = [area](QEvent::Type type, QPoint at) {
            QMouseEvent event(type, at, area->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(area, &event);
        };
        press(QEvent::MouseButtonPress, kq::FlowPracticeLinkArea::BoxCorner(0) + QPoint(50, 40));
        press(QEvent::MouseButtonRelease, kq::FlowPracticeLinkArea::BoxCorner(1) + QPoint(50, 20));
        press(QEvent::MouseButtonPress, kq::FlowPracticeLinkArea::BoxCorner(1) + QPoint(50, 40));
        press(QEvent::MouseMove, kq::FlowPracticeLinkArea::BoxCorner(1) + QPoint(90, 80));
        saved = saved && Save(practice, out, QStringLiteral("flowchart_practice_links"));
    }

    // STEP3 practice: the first exercise beside the installed help.
    {
        kq::TextPracticeWindow practice(context);
        practice.show();
        saved = saved && Save(practice, out, QStringLiteral("text_practice"));
        practice.Pages()->setCurrentIndex(2);
        saved = saved && Save(practice, out, QStringLiteral("text_practice_page3"));
    }

    // Report window: the input page, then the preview of each kind with the
    // work its editor hands over.
    {
        kq::ReportFields fields;
        fields.year = QStringLiteral("5");
        fields.group = QStringLiteral("2");
        fields.number = QStringLiteral("14");
        fields.name = QStringLiteral("山田　太郎");
        fields.title = QStringLiteral("光る目覚まし時計");
        fields.conception = QStringLiteral("朝、音と光で起こしてくれる時計を作りたいと思った。");
        fields.features = QStringLiteral("アラーム時刻になるとLEDが光り、メロディが鳴る。\nスイッチを押すと止まる。");
        fields.ingenuity = QStringLiteral("暗い部屋でも分かるように色を変えた。");
        fields.impressions = QStringLiteral("思った通りに動いたときはうれしかった。");
        kq::WindowRegistry reportRegistry(menu, [] { return false; });
        kq::RecoveryRestorers reportRestorers;
        kq::RegisterLearningWindows(reportRegistry, context, reportRestorers);
        kq::RegisteredStepWindows reportSteps(reportRegistry);
        kq::testing::RecordingLauncher reportLauncher;
        auto *report = qobject_cast<kq::ReportWindow *>(reportRegistry.Made(kq::WindowKind::Report));
        const auto preview = [&](const QString &name) {
            saved = saved && report && report->isVisible();
            if (!saved)
                return;
            // Opening the demo took the demo's own (empty) report fields.
            context.ReportFields().Set(fields);
            report->Next();
            saved = saved && Save(*report, out, QStringLiteral("report_") + name);
            report->close();
        };
        kq::FlowchartWindow reportFlow(context, reportRegistry, reportSteps, reportLauncher);
        reportFlow.show();
        reportFlow.Action(QStringLiteral("Demo1"))->trigger();
        reportFlow.Action(QStringLiteral("Report"))->trigger();
        context.ReportFields().Set(fields);
        saved = saved && report && Save(*report, out, QStringLiteral("report_input"));
        preview(QStringLiteral("routine"));
        reportFlow.hide();
        kq::TextWindow reportText(context, reportRegistry, reportSteps, reportLauncher);
        reportText.show();
        reportText.Action(QStringLiteral("Demo2"))->trigger();
        reportText.Action(QStringLiteral("Report"))->trigger();
        preview(QStringLiteral("word"));
        reportText.hide();
        kq::IconWindow reportIcons(context, reportRegistry, reportSteps, reportLauncher);
        reportIcons.show();
        reportIcons.Action(QStringLiteral("Demo1"))->trigger();
        reportIcons.Action(QStringLiteral("Report"))->trigger();
        preview(QStringLiteral("icons"));
        reportIcons.hide();
        // The melody editor above writes its staff picture; the studio's
        // registration opens the report from its signal.
        QObject::connect(&melody, &kq::MelodyWindow::ReportRequested, &melody, [&] {
            kq::ReportWork work;
            work.kind = kq::ReportKind::Sound;
            kq::OpenReport(reportRegistry, &melody, work);
        });
        melody.findChild<QAction *>(QStringLiteral("Report"))->trigger();
        preview(QStringLiteral("sound"));
    }

    return saved ? 0 : 1;
}
