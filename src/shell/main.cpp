#include "base/paths.h"
#include "base/start_arguments.h"
#include "base/waiter.h"
#include "context/studio_context.h"
#include "controls/paste_guard.h"
#include "device/hidapi_backend.h"
#include "services/dialogs.h"
#include "services/launcher.h"
#include "services/qt_translations.h"
#include "shell/main_menu.h"
#include "shell/studio_app.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("KQ27"));
    if (kq::AsksForVersion(argc, argv))
        return kq::PrintVersion();
    QApplication app(argc, argv);
    // The desktop shows the windows under the menu entry's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("jp.kq27.studio"));
    kq::InstallQtJapanese();
    kq::InstallPasteGuard(app);

    const kq::Paths paths = kq::Paths::ForInstalledProgram();
    const kq::StartArguments arguments = kq::ParseStartArguments(QApplication::arguments().mid(1));
    if (const std::optional<int> exitCode = kq::AnswerStartArguments(
            arguments, paths.ProgramFolder(), paths.ProgramFile(kq::MainMenu::StartPagePicture()),
            QStringLiteral("FILE.kq27")))
        return *exitCode;

    kq::QtDialogs dialogs;
    kq::EventLoopWaiter waiter;
    kq::HidapiBackend hid;
    kq::StudioContext context(dialogs, waiter, paths, hid);
    kq::DesktopLauncher launcher;

    kq::StudioApp studio(context, launcher, QApplication::applicationDirPath() + QStringLiteral("/KQ18"));
    studio.Start();
    // After the start's own first steps, so the file's window opens over a
    // menu that is on screen.
    if (!arguments.file.isEmpty())
        QTimer::singleShot(0, &app, [&studio, file = arguments.file] { studio.OpenFile(file); });
    const int exitCode = app.exec();
    // A normal end: no window's work is left to recover.
    context.Recovery().RemoveAll();
    return exitCode;
}
