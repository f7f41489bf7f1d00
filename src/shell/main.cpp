#include "context/studio_context.h"
#include "controls/dialogs.h"
#include "model/paths.h"
#include "model/waiter.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KQ27"));

    kq::QtDialogs dialogs;
    kq::EventLoopWaiter waiter;
    kq::StudioContext context(dialogs, waiter, kq::Paths::ForInstalledProgram());

    QWidget menu;
    menu.setWindowTitle(QStringLiteral("ソラリット２制御ソフト"));
    menu.setWindowFlag(Qt::FramelessWindowHint);
    menu.setFixedSize(655, 494);
    menu.move(menu.screen()->availableGeometry().center() - menu.rect().center());
    menu.show();
    return app.exec();
}
