#include "context/studio_context.h"
#include "services/dialogs.h"
#include "device/hidapi_backend.h"
#include "base/paths.h"
#include "base/waiter.h"
#include "services/launcher.h"
#include "shell/studio_app.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KQ27"));

    kq::QtDialogs dialogs;
    kq::EventLoopWaiter waiter;
    kq::StudioContext context(dialogs, waiter, kq::Paths::ForInstalledProgram());
    kq::DesktopLauncher launcher;
    kq::HidapiBackend hid;

    kq::StudioApp studio(context, launcher, hid, QApplication::applicationDirPath() + QStringLiteral("/KQ18"));
    studio.Start();
    return app.exec();
}
