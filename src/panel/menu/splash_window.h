#pragma once

#include <QPixmap>
#include <QWidget>

namespace kq {
class Paths;
}

namespace kq::panel {

// The borderless picture shown, centred, while the panel maker makes its
// windows.
class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(const kq::Paths &panelPaths);

    // Shows the splash and paints it at once, before the event loop runs.
    void ShowNow();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};

}  // namespace kq::panel
