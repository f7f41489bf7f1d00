#pragma once

#include <QPixmap>
#include <QWidget>

namespace kq {

class Paths;

// The borderless picture shown, centred, while the studio starts.
class Splash final : public QWidget {
    Q_OBJECT
public:
    explicit Splash(const Paths &paths);

    // Shows the splash and paints it at once, before the event loop runs.
    void ShowNow();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};

}  // namespace kq
