#include "tools/control/clock_setting_window.h"

#include "context/studio_context.h"
#include "device/device_messages.h"
#include "services/dialogs.h"
#include "tools/control/picture_button.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace kq {

namespace {
constexpr int kRefreshMs = 1000;
constexpr int kAlarmHourPreset = 12;
}  // namespace

ClockSettingWindow::ClockSettingWindow(StudioContext &context, CurrentTime currentTime, QWidget *parent)
    : QWidget(parent, Qt::Window), m_context(context), m_currentTime(std::move(currentTime))
{
    setWindowTitle(QStringLiteral("時刻・アラーム設定"));
    UsePictureBackground(*this);
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setInterval(kRefreshMs);
    connect(&m_timer, &QTimer::timeout, this, &ClockSettingWindow::RefreshTime);

    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral("ソラリット２本体の時刻とアラームを設定することが出来ます。"), this);
    intro->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(intro);

    auto *pcClock = new QGroupBox(QStringLiteral("パソコンの時刻"), this);
    auto *pcLayout = new QHBoxLayout(pcClock);
    m_now = new QLabel(pcClock);
    m_now->setObjectName(QStringLiteral("Label3"));
    QFont large = m_now->font();
    large.setPointSize(large.pointSize() + 4);
    large.setBold(true);
    m_now->setFont(large);
    pcLayout->addWidget(m_now);
    layout->addWidget(pcClock);

    auto *clock = new QGroupBox(QStringLiteral("本体に送る日付と時刻"), this);
    auto *clockLayout = new QHBoxLayout(clock);
    const auto addField = [&](QComboBox *combo, const QString &unit) {
        clockLayout->addWidget(combo);
        clockLayout->addWidget(new QLabel(unit, clock));
    };
    m_year = AddCombo(QStringLiteral("YearCombo"), YearChoices());
    m_month = AddCombo(QStringLiteral("MonthCombo"), MonthChoices());
    m_day = AddCombo(QStringLiteral("DayCombo"), DayChoices());
    m_hour = AddCombo(QStringLiteral("HourCombo"), NumberChoices(24));
    m_minute = AddCombo(QStringLiteral("MinCombo"), NumberChoices(60));
    clockLayout->addWidget(new QLabel(QStringLiteral("20"), clock));
    addField(m_year, QStringLiteral("年"));
    addField(m_month, QStringLiteral("月"));
    addField(m_day, QStringLiteral("日"));
    addField(m_hour, QStringLiteral("時"));
    addField(m_minute, QStringLiteral("分"));
    clockLayout->addStretch();
    layout->addWidget(clock);

    auto *alarm = new QGroupBox(QStringLiteral("アラーム"), this);
    auto *alarmLayout = new QHBoxLayout(alarm);
    m_alarmOn = new QRadioButton(QStringLiteral("ON"), alarm);
    m_alarmOn->setObjectName(QStringLiteral("Alerm_ON_Radio"));
    m_alarmOff = new QRadioButton(QStringLiteral("OFF"), alarm);
    m_alarmOff->setObjectName(QStringLiteral("Alerm_OFF_Radio"));
    m_alarmHour = AddCombo(QStringLiteral("AlermHourCombo"), NumberChoices(24));
    m_alarmMinute = AddCombo(QStringLiteral("AlermMinCombo"), NumberChoices(60));
    alarmLayout->addWidget(m_alarmOn);
    alarmLayout->addWidget(m_alarmOff);
    alarmLayout->addSpacing(16);
    alarmLayout->addWidget(m_alarmHour);
    alarmLayout->addWidget(new QLabel(QStringLiteral("時"), alarm));
    alarmLayout->addWidget(m_alarmMinute);
    alarmLayout->addWidget(new QLabel(QStringLiteral("分"), alarm));
    alarmLayout->addStretch();
    layout->addWidget(alarm);
    connect(m_alarmOn, &QRadioButton::toggled, this, &ClockSettingWindow::EnableAlarmLists);

    auto *sendRow = new QHBoxLayout;
    auto *hint = new QLabel(QStringLiteral("時刻・アラームを設定し、\"送信\"ボタンを押してください。"), this);
    hint->setObjectName(QStringLiteral("Label2"));
    sendRow->addWidget(hint, 1);
    QToolButton *send = MakePictureButton(this, QStringLiteral("Image19"), context.Paths(),
                                          QStringLiteral("Img\\TimeAdjust\\Send.bmp"), QStringLiteral("送信"));
    connect(send, &QToolButton::clicked, this, &ClockSettingWindow::Send);
    sendRow->addWidget(send);
    layout->addLayout(sendRow);

    FillFromPcClock();
}

QComboBox *ClockSettingWindow::AddCombo(const QString &name, const QStringList &choices)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(name);
    combo->addItems(choices);
    combo->setMaxVisibleItems(12);
    return combo;
}

void ClockSettingWindow::FillFromPcClock()
{
    const QDateTime now = m_currentTime();
    m_now->setText(DateTimeText(now));
    const ClockFieldPositions positions = ProposedPositions(now);
    m_year->setCurrentIndex(positions.year);
    m_month->setCurrentIndex(positions.month);
    m_day->setCurrentIndex(positions.day);
    m_hour->setCurrentIndex(positions.hour);
    m_minute->setCurrentIndex(positions.minute);
    m_alarmOff->setChecked(true);
    m_alarmHour->setCurrentIndex(kAlarmHourPreset);
    m_alarmMinute->setCurrentIndex(0);
    EnableAlarmLists(false);
}

void ClockSettingWindow::EnableAlarmLists(bool enabled)
{
    m_alarmHour->setEnabled(enabled);
    m_alarmMinute->setEnabled(enabled);
}

void ClockSettingWindow::RefreshTime()
{
    m_now->setText(DateTimeText(m_currentTime()));
}

ClockFieldPositions ClockSettingWindow::Positions() const
{
    return {m_year->currentIndex(), m_month->currentIndex(), m_day->currentIndex(), m_hour->currentIndex(),
            m_minute->currentIndex()};
}

AlarmChoice ClockSettingWindow::Alarm() const
{
    return {m_alarmOn->isChecked(), m_alarmHour->currentIndex(), m_alarmMinute->currentIndex()};
}

void ClockSettingWindow::Send()
{
    m_timer.stop();
    const QPointer<ClockSettingWindow> alive(this);
    const bool sent = m_context.DeviceLink().SetClock(SettingOf(Positions(), Alarm()), this);
    if (!alive)
        return;
    if (!sent)
        m_context.Dialogs().Warning(this, kConnectionMessage);
    // Hidden meanwhile, it stays idle until shown again.
    if (isVisible())
        m_timer.start();
}

void ClockSettingWindow::showEvent(QShowEvent *event)
{
    // Restored from the task bar, it keeps what the pupil chose.
    if (!event->spontaneous())
        FillFromPcClock();
    m_timer.start();
    QWidget::showEvent(event);
}

void ClockSettingWindow::hideEvent(QHideEvent *event)
{
    m_timer.stop();
    QWidget::hideEvent(event);
}

}  // namespace kq
