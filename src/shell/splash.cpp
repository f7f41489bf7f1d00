#include "shell/splash.h"

#include "base/paths.h"

#include <QCoreApplication>
#include <QPainter>
#include <QScreen>

namespace kq {

namespace {
constexpr QSize kSplashSize(445, 314);
}

Splash::Splash(const Paths &paths)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_picture(paths.ProgramFile(QStringLiteral("Img\\Menu\\Splash.bmp")))
{
    setObjectName(QStringLiteral("Splash"));
    setFixedSize(kSplashSize);
    move(screen()->availableGeometry().center() - rect().center());
}

void Splash::ShowNow()
{
    show();
    repaint();
    // Let the window system map and expose it; the pupil's input waits for
    // the menu.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Splash::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_picture.isNull())
        painter.fillRect(rect(), Qt::white);
    else
        painter.drawPixmap(0, 0, m_picture);
}

}  // namespace kq
