#pragma once

#include "device/device_commands.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QMovie;
class QSlider;

namespace kq {

class StudioContext;

// Drives the model train on the clock directly: forward or backward without
// end or for the time on the slider, and a gradual stop. Each command plays
// a picture of the train going that way.
class TrainWindow final : public QWidget {
    Q_OBJECT

public:
    explicit TrainWindow(StudioContext &context, QWidget *parent = nullptr);

    // The pictures: continuous runs, timed runs and the gradual stop.
    void Drive(TrainDirection direction);
    void DriveForTime(TrainDirection direction);
    void StopGradually();
    // The animation timer's end: the timed run is over.
    void AnimationTimeUp();

    bool IsAnimationPlaying() const { return !m_playing.isEmpty(); }
    // "Img\Animate\Adv.gif" or "Img\Animate\Back.gif" while one plays.
    const QString &PlayingAnimation() const { return m_playing; }
    const QTimer &AnimationTimer() const { return m_timer; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Play(TrainDirection direction);
    void StopAnimation();

    StudioContext &m_context;
    QTimer m_timer;
    QSlider *m_time = nullptr;
    QLabel *m_timeLabel = nullptr;
    QLabel *m_animation = nullptr;
    QMovie *m_movie = nullptr;
    QString m_playing;
};

}  // namespace kq
