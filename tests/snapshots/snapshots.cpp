// Renders the studio's windows in typical states to PNG files so their look
// can be reviewed without a display:
//   snapshots <data-tree> <output-folder>
#include "context/studio_context.h"
#include "controls/transfer_progress_window.h"
#include "device/virtual_clock.h"
#include "learning/transfer_data_window.h"
#include "editors/common/registered_step_windows.h"
#include "editors/icon/icon_window.h"
#include "services/window_registry.h"
#include "shell/main_menu.h"
#include "shell/menu_picture.h"
#include "shell/splash.h"
#include "support/fake_waiter.h"
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
#include <QRadioButton>
#include <QSlider>
#include <QDir>
#include <QEnterEvent>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// The melody window plays nothing here.
class SilentSound final : public kq::SoundOutput {
public:
    void Play(const QString &) override {}
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
    auto *help = menu.findChild<kq::MenuPicture *>(QStringLiteral("Image19"));
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

    return saved ? 0 : 1;
}
