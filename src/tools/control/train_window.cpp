#include "tools/control/train_window.h"

#include "context/studio_context.h"
#include "device/device_messages.h"
#include "services/dialogs.h"
#include "tools/control/picture_button.h"
#include "tools/control/train_time.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace kq {

namespace {
const QString kForwardAnimation = QStringLiteral("Img\\Animate\\Adv.gif");
const QString kBackwardAnimation = QStringLiteral("Img\\Animate\\Back.gif");
constexpr int kTenthMs = 100;

const QString &AnimationOf(TrainDirection direction)
{
    return direction == TrainDirection::Forward ? kForwardAnimation : kBackwardAnimation;
}
}  // namespace

TrainWindow::TrainWindow(StudioContext &context, QWidget *parent) : QWidget(parent, Qt::Window), m_context(context)
{
    setWindowTitle(QStringLiteral("ソラリット２制御ソフト :"));
    UsePictureBackground(*this);
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &TrainWindow::AnimationTimeUp);

    auto *layout = new QVBoxLayout(this);
    m_animation = new QLabel(this);
    m_animation->setObjectName(QStringLiteral("Animation"));
    m_animation->setAlignment(Qt::AlignCenter);
    m_animation->setMinimumSize(480, 200);
    m_movie = new QMovie(this);
    m_animation->setMovie(m_movie);
    layout->addWidget(m_animation, 1);

    const Paths &paths = context.Paths();
    auto *continuous = new QHBoxLayout;
    QToolButton *forward = MakePictureButton(this, QStringLiteral("Image2"), paths,
                                             QStringLiteral("Img\\Train\\Forward.bmp"), QStringLiteral("前進"));
    QToolButton *stop = MakePictureButton(this, QStringLiteral("Image6"), paths, QStringLiteral("Img\\Train\\Stop.bmp"),
                                          QStringLiteral("徐々に停止"));
    QToolButton *backward = MakePictureButton(this, QStringLiteral("Image3"), paths,
                                              QStringLiteral("Img\\Train\\Backward.bmp"), QStringLiteral("後進"));
    continuous->addWidget(backward);
    continuous->addWidget(stop);
    continuous->addWidget(forward);
    layout->addLayout(continuous);

    auto *timed = new QGridLayout;
    m_time = new QSlider(Qt::Horizontal, this);
    m_time->setObjectName(QStringLiteral("TrackBar0"));
    m_time->setRange(kTrainTimeMinimum, kTrainTimeMaximum);
    m_time->setValue(kTrainTimeMinimum);
    m_timeLabel = new QLabel(TrainTimeLabel(kTrainTimeMinimum), this);
    m_timeLabel->setObjectName(QStringLiteral("Label0"));
    QFont large = m_timeLabel->font();
    large.setPointSize(large.pointSize() + 6);
    large.setBold(true);
    m_timeLabel->setFont(large);
    m_timeLabel->setMinimumWidth(90);
    connect(m_time, &QSlider::valueChanged, m_timeLabel,
            [this](int tenths) { m_timeLabel->setText(TrainTimeLabel(tenths)); });
    QToolButton *backwardTimed =
        MakePictureButton(this, QStringLiteral("Image4"), paths, QStringLiteral("Img\\Train\\BackwardTimed.bmp"),
                          QStringLiteral("時間で後進"));
    QToolButton *forwardTimed =
        MakePictureButton(this, QStringLiteral("Image5"), paths, QStringLiteral("Img\\Train\\ForwardTimed.bmp"),
                          QStringLiteral("時間で前進"));
    timed->addWidget(new QLabel(QStringLiteral("0.1"), this), 0, 0);
    timed->addWidget(m_time, 0, 1);
    timed->addWidget(new QLabel(QStringLiteral("25.5"), this), 0, 2);
    timed->addWidget(m_timeLabel, 0, 3);
    auto *timedButtons = new QHBoxLayout;
    timedButtons->addWidget(backwardTimed);
    timedButtons->addWidget(forwardTimed);
    timed->addLayout(timedButtons, 1, 0, 1, 4, Qt::AlignCenter);
    layout->addLayout(timed);

    connect(forward, &QToolButton::clicked, this, [this] { Drive(TrainDirection::Forward); });
    connect(backward, &QToolButton::clicked, this, [this] { Drive(TrainDirection::Backward); });
    connect(forwardTimed, &QToolButton::clicked, this, [this] { DriveForTime(TrainDirection::Forward); });
    connect(backwardTimed, &QToolButton::clicked, this, [this] { DriveForTime(TrainDirection::Backward); });
    connect(stop, &QToolButton::clicked, this, &TrainWindow::StopGradually);
}

void TrainWindow::Drive(TrainDirection direction)
{
    const DirectCode code = direction == TrainDirection::Forward ? DirectCode::TrainForward : DirectCode::TrainBackward;
    const QPointer<TrainWindow> alive(this);
    const bool sent = m_context.DeviceLink().DirectCommand(code);
    if (!alive)
        return;
    if (!sent) {
        m_context.Dialogs().Warning(this, kConnectionMessage);
        return;
    }
    Play(direction);
}

void TrainWindow::DriveForTime(TrainDirection direction)
{
    const int tenths = m_time->value();
    m_timer.setInterval(tenths * kTenthMs);
    Play(direction);
    m_timer.start();
    const QPointer<TrainWindow> alive(this);
    const bool sent = m_context.DeviceLink().TimedTrain(direction, tenths);
    if (!alive)
        return;
    if (!sent) {
        m_timer.stop();
        StopAnimation();
        m_context.Dialogs().Warning(this, kConnectionMessage);
    }
}

void TrainWindow::StopGradually()
{
    const QPointer<TrainWindow> alive(this);
    const bool sent = m_context.DeviceLink().DirectCommand(DirectCode::TrainGradualStop);
    if (!alive)
        return;
    if (!sent) {
        m_context.Dialogs().Warning(this, kConnectionMessage);
        return;
    }
    StopAnimation();
}

void TrainWindow::AnimationTimeUp()
{
    m_timer.stop();
    StopAnimation();
}

void TrainWindow::Play(TrainDirection direction)
{
    m_movie->stop();
    m_movie->setFileName(m_context.Paths().ProgramFile(AnimationOf(direction)));
    m_movie->start();
    m_playing = AnimationOf(direction);
}

void TrainWindow::StopAnimation()
{
    m_movie->stop();
    m_playing.clear();
}

void TrainWindow::showEvent(QShowEvent *event)
{
    StopAnimation();
    QWidget::showEvent(event);
}

}  // namespace kq
