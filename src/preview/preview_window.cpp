#include "preview/preview_window.h"

#include "base/waiter.h"
#include "context/studio_context.h"
#include "preview/clock_view.h"
#include "services/window_registry.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace kq {

namespace {

const char *const kWaitButtonTexts[kWaitButtonCount] = {
    "音を鳴らす",           "押しボタンSWを押す", "明るくする",         "暗くする",
    "温度を指定温度にする", "信号を受信する",     "アラーム時刻にする",
};

constexpr int kDefaultTemperature = 25;

QString Text(const char *text)
{
    return QString::fromUtf8(text);
}

// Two exclusive choices in a titled group, laid side by side.
QGroupBox *ChoiceGroup(const QString &title, QRadioButton *first, QRadioButton *second)
{
    auto *group = new QGroupBox(title);
    auto *layout = new QHBoxLayout(group);
    layout->addWidget(first);
    layout->addWidget(second);
    return group;
}

}  // namespace

PreviewWindow::PreviewWindow(StudioContext &context, QWidget *parent)
    : QWidget(parent), m_context(context), m_view(new ClockView(context.Paths()))
{
    setObjectName(QStringLiteral("TForm15"));
    setWindowTitle(Text("プレビュー"));
    setFixedSize(697, 551);

    auto *note = new QLabel(Text("作成したプログラムをイメージするものであり、\r\n実際の発光とは異なります。"));
    auto *noEditing = new QLabel(
        Text("プレビュー中はプログラム編集は出来ません！\r\nプログラム編集はプレビュー画面を閉じてから行って下さい。"));
    noEditing->setStyleSheet(QStringLiteral("color: #c92a2a;"));
    auto *left = new QVBoxLayout;
    left->addWidget(m_view);
    left->addWidget(note);
    left->addWidget(noEditing);
    left->addStretch();

    m_state = new QLabel;
    m_state->setObjectName(QStringLiteral("StateLabel"));
    m_play = new QPushButton(Text("プレビュー再生"));
    m_play->setObjectName(QStringLiteral("PlayButton"));
    m_stop = new QPushButton(Text("プレビュー停止"));
    m_stop->setObjectName(QStringLiteral("StopButton"));
    connect(m_play, &QPushButton::clicked, this, &PreviewWindow::Play);
    connect(m_stop, &QPushButton::clicked, this, &PreviewWindow::Stop);

    m_pressed = new QRadioButton(Text("押している"));
    m_pressed->setObjectName(QStringLiteral("SwitchPressed"));
    auto *released = new QRadioButton(Text("押していない"));
    released->setObjectName(QStringLiteral("SwitchReleased"));
    released->setChecked(true);
    m_bright = new QRadioButton(Text("明るい"));
    m_bright->setObjectName(QStringLiteral("Bright"));
    m_bright->setChecked(true);
    auto *dark = new QRadioButton(Text("暗い"));
    dark->setObjectName(QStringLiteral("Dark"));

    m_temperature = new QSlider(Qt::Horizontal);
    m_temperature->setObjectName(QStringLiteral("TemperatureSlider"));
    m_temperature->setRange(0, 40);
    m_temperature->setValue(kDefaultTemperature);
    auto *temperatureValue = new QLabel(QString::number(kDefaultTemperature));
    temperatureValue->setObjectName(QStringLiteral("TemperatureValue"));
    temperatureValue->setMinimumWidth(24);
    connect(m_temperature, &QSlider::valueChanged, temperatureValue,
            [temperatureValue](int value) { temperatureValue->setText(QString::number(value)); });
    auto *temperatureGroup = new QGroupBox(Text("周囲の気温（℃）"));
    auto *temperatureLayout = new QHBoxLayout(temperatureGroup);
    temperatureLayout->addWidget(m_temperature);
    temperatureLayout->addWidget(temperatureValue);

    m_waitGroup = new QGroupBox(Text("信号待ちで一時停止中"));
    m_waitGroup->setObjectName(QStringLiteral("WaitGroup"));
    auto *waitLayout = new QVBoxLayout(m_waitGroup);
    waitLayout->setSpacing(2);
    for (int button = 1; button <= kWaitButtonCount; ++button) {
        auto *wait = new QPushButton(Text(kWaitButtonTexts[button - 1]));
        wait->setObjectName(QStringLiteral("WaitButton%1").arg(button));
        connect(wait, &QPushButton::clicked, this, [this, button] { PressWaitButton(button); });
        waitLayout->addWidget(wait);
    }

    auto *right = new QVBoxLayout;
    right->addWidget(m_state);
    right->addWidget(m_play);
    right->addWidget(m_stop);
    right->addWidget(ChoiceGroup(Text("SWの状態"), m_pressed, released));
    right->addWidget(ChoiceGroup(Text("周囲の明るさ"), m_bright, dark));
    right->addWidget(temperatureGroup);
    right->addWidget(m_waitGroup);
    right->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    SetProgram({});
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::SetProgram(const ByteList &bytes)
{
    if (m_interpreter)
        m_interpreter->RequestStop();
    m_interpreter = std::make_unique<PreviewInterpreter>(bytes, static_cast<PreviewHost &>(*this));
    ShowStopped();
}

void PreviewWindow::SetTrace(PreviewTrace trace)
{
    m_trace = std::move(trace);
}

void PreviewWindow::ShowStopped()
{
    if (m_trace)
        m_trace(std::nullopt);
    m_playing = false;
    m_state->setText(Text("状態：停止"));
    m_play->setEnabled(true);
    m_stop->setEnabled(false);
    m_waitGroup->setEnabled(false);
}

void PreviewWindow::Play()
{
    m_interpreter->Reset();
    m_playing = true;
    m_state->setText(Text("状態：再生中"));
    m_play->setEnabled(false);
    m_stop->setEnabled(true);
    m_waitGroup->setEnabled(false);
    // Played again while a stopped run still sits in its wait: that run
    // carries on from the first instruction once its wait returns.
    if (!m_loopActive)
        RunUntilPause();
}

void PreviewWindow::Stop()
{
    m_interpreter->RequestStop();
    ShowStopped();
}

void PreviewWindow::PressWaitButton(int button)
{
    if (!m_playing || !m_interpreter->PressWaitButton(button))
        return;
    m_waitGroup->setEnabled(false);
    RunUntilPause();
}

void PreviewWindow::RunUntilPause()
{
    m_loopActive = true;
    Waiter &waiter = m_context.Waiter();
    // Each wait keeps events flowing, so stop, the wait buttons and the
    // sensors act while the program runs.
    const StepOutcome outcome = RunPreview(*m_interpreter, [&waiter](int ms) { waiter.WaitProcessing(ms); });
    m_loopActive = false;
    if (outcome == StepOutcome::Paused)
        m_waitGroup->setEnabled(true);
    else
        ShowStopped();
}

void PreviewWindow::hideEvent(QHideEvent *event)
{
    // Closing the window ends the preview, and its editor is free again.
    Stop();
    m_trace = {};
    QWidget::hideEvent(event);
}

bool PreviewWindow::SwitchPressed() const
{
    return m_pressed->isChecked();
}
bool PreviewWindow::Bright() const
{
    return m_bright->isChecked();
}
int PreviewWindow::Temperature() const
{
    return m_temperature->value();
}
void PreviewWindow::DrawLamp(Rgb colour, int opacity)
{
    m_view->DrawLamp(colour, opacity);
}
void PreviewWindow::ClearLamp()
{
    m_view->ClearLamp();
}
void PreviewWindow::ShowBacklight(BacklightPicture picture)
{
    m_view->ShowBacklight(picture);
}
void PreviewWindow::ShowSoundPicture(SoundPicture picture)
{
    m_view->ShowSoundPicture(picture);
}
void PreviewWindow::InstructionStarted(int address, int)
{
    if (m_trace)
        m_trace(address);
}

void ShowPreview(WindowRegistry &windows, QWidget *caller, const ByteList &programBytes, PreviewTrace trace)
{
    auto *preview = qobject_cast<PreviewWindow *>(windows.Made(WindowKind::Preview));
    if (!preview)
        return;
    preview->SetProgram(programBytes);
    preview->SetTrace(std::move(trace));
    preview->setWindowModality(Qt::ApplicationModal);
    if (caller)
        preview->move(caller->geometry().center() - preview->rect().center());
    windows.OpenFromEditor(WindowKind::Preview, caller);
}

}  // namespace kq
