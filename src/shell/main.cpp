#include "base/paths.h"
#include "base/waiter.h"
#include "context/studio_context.h"
#include "controls/paste_guard.h"
#include "device/hidapi_backend.h"
#include "services/dialogs.h"
#include "services/launcher.h"
#include "services/qt_translations.h"
#include "shell/studio_app.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KQ27"));
    kq::InstallQtJapanese();
    kq::InstallPasteGuard(app);

    kq::QtDialogs dialogs;
    kq::EventLoopWaiter waiter;
    kq::HidapiBackend hid;
    kq::StudioContext context(dialogs, waiter, kq::Paths::ForInstalledProgram(), hid);
    kq::DesktopLauncher launcher;

    kq::StudioApp studio(context, launcher, QApplication::applicationDirPath() + QStringLiteral("/KQ18"));
    studio.Start();
    return app.exec();
}
