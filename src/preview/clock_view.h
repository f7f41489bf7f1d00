#pragma once

#include "preview/preview_host.h"

#include <QImage>
#include <QWidget>

#include <map>

namespace kq {

class Paths;

// The picture of the clock: the lamp colour blended over the clear dome with
// the rim and body on top, and beside it the backlight and the sound or wait
// picture.
class ClockView final : public QWidget {
    Q_OBJECT
public:
    ClockView(const Paths &paths, QWidget *parent = nullptr);

    void DrawLamp(Rgb colour, int opacity);
    void ClearLamp();
    void ShowBacklight(BacklightPicture picture);
    void ShowSoundPicture(SoundPicture picture);

    bool LampLit() const { return m_lampLit; }
    BacklightPicture Backlight() const { return m_backlight; }
    SoundPicture Sound() const { return m_sound; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage Picture(const QString &name) const;

    std::map<QString, QImage> m_pictures;
    bool m_lampLit = false;
    Rgb m_colour;
    int m_opacity = kLampInvisible;
    BacklightPicture m_backlight = BacklightPicture::None;
    SoundPicture m_sound = SoundPicture::None;
};

}  // namespace kq
