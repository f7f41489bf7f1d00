#include "base/paths.h"
#include "base/start_arguments.h"
#include "controls/paste_guard.h"
#include "panel/app/panel_app.h"
#include "panel/menu/product_menu.h"
#include "panel/menu/splash_window.h"
#include "services/dialogs.h"
#include "services/launcher.h"
#include "services/qt_translations.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("KQ18"));
    if (kq::AsksForVersion(argc, argv))
        return kq::PrintVersion();
    QApplication app(argc, argv);
    // The desktop shows the windows under the menu entry's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("jp.kq27.panelmaker"));
    kq::InstallQtJapanese();
    kq::InstallPasteGuard(app);

    const kq::Paths paths = kq::Paths::ForInstalledProgram();
    const kq::Paths panelPaths(paths.PanelProgramFolder(), paths.AppDataFolder());
    const kq::StartArguments arguments = kq::ParseStartArguments(QApplication::arguments().mid(1));
    if (const std::optional<int> exitCode = kq::AnswerStartArguments(
            arguments, panelPaths.ProgramFolder(), panelPaths.ProgramFile(kq::panel::ProductMenu::BackgroundPicture()),
            QStringLiteral("FILE.kq18")))
        return *exitCode;

    kq::QtDialogs dialogs;
    kq::DesktopLauncher launcher;

    auto splash = std::make_unique<kq::panel::SplashWindow>(panelPaths);
    splash->ShowNow();
    kq::panel::PanelApp panelApp(dialogs, launcher, panelPaths);

    // The menu hides while the panel window is open, so the last visible
    // window closing is no reason to end; the menu's close picture and the
    // panel window's close question are.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&panelApp.Menu(), &kq::panel::ProductMenu::Closed, &app, &QCoreApplication::quit);
    QObject::connect(&panelApp.Window(), &kq::panel::PanelWindow::Closed, &app, &QCoreApplication::quit);

    // The windows are ready: the splash gives way to the offer of work left
    // by a crash, then to the menu, which takes the studio's hand-over.
    splash.reset();
    panelApp.Start(arguments.file);
    const int exitCode = app.exec();
    // A normal end: no panel is left to recover.
    panelApp.Recovery().RemoveAll();
    return exitCode;
}
