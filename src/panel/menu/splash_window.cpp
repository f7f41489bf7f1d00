#include "panel/menu/splash_window.h"

#include "base/paths.h"

#include <QCoreApplication>
#include <QPainter>
#include <QScreen>

namespace kq::panel {

namespace {
constexpr QSize kSplashSize(480, 300);
}

SplashWindow::SplashWindow(const kq::Paths &panelPaths)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_picture(panelPaths.ProgramFile(QStringLiteral("Img\\Menu\\Splash.bmp")))
{
    setObjectName(QStringLiteral("TForm8"));
    setFixedSize(kSplashSize);
    move(screen()->availableGeometry().center() - rect().center());
}

void SplashWindow::ShowNow()
{
    show();
    repaint();
    // Let the window system map and expose it; input waits for the menu.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_picture.isNull()) {
        painter.drawPixmap(rect(), m_picture);
        return;
    }
    painter.fillRect(rect(), Qt::white);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    QFont font = painter.font();
    font.setPixelSize(40);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("KQ18"));
}

}  // namespace kq::panel
