// Renders the studio's windows in typical states to PNG files so their look
// can be reviewed without a display:
//   snapshots <data-tree> <output-folder>
#include "context/studio_context.h"
#include "controls/transfer_progress_window.h"
#include "device/virtual_clock.h"
#include "learning/transfer_data_window.h"
#include "shell/main_menu.h"
#include "shell/menu_picture.h"
#include "shell/splash.h"
#include "support/fake_waiter.h"
#include "support/recording_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QTemporaryDir>

#include <cstdio>

namespace {

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
    return saved ? 0 : 1;
}
