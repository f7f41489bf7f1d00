#include "context/studio_context.h"
#include "controls/dialogs.h"
#include "model/paths.h"
#include "model/waiter.h"
#include "shell/launcher.h"
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

    kq::StudioApp studio(context, launcher, QApplication::applicationDirPath() + QStringLiteral("/KQ18"));
    studio.Start();
    return app.exec();
}
