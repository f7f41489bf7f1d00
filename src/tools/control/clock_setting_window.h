#pragma once

#include "tools/control/clock_setting_fields.h"
#include "tools/control/current_time.h"

#include <QTimer>
#include <QWidget>

class QComboBox;
class QLabel;
class QRadioButton;

namespace kq {

class StudioContext;

// "時刻・アラーム設定": proposes the PC's time, rounded up to the next
// minute, lets the pupil change every field and the alarm, and sends it all
// to the clock in one command. Made once at start-up; every showing proposes
// the time afresh.
class ClockSettingWindow final : public QWidget {
    Q_OBJECT

public:
    ClockSettingWindow(StudioContext &context, CurrentTime currentTime, QWidget *parent = nullptr);

    // The send picture.
    void Send();
    // Shows the PC's date and time, as the timer does while the window is
    // idle.
    void RefreshTime();

    ClockFieldPositions Positions() const;
    AlarmChoice Alarm() const;
    const QTimer &RefreshTimer() const { return m_timer; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QComboBox *AddCombo(const QString &name, const QStringList &choices);
    void FillFromPcClock();
    void EnableAlarmLists(bool enabled);

    StudioContext &m_context;
    CurrentTime m_currentTime;
    QTimer m_timer;
    QLabel *m_now = nullptr;
    QComboBox *m_year = nullptr;
    QComboBox *m_month = nullptr;
    QComboBox *m_day = nullptr;
    QComboBox *m_hour = nullptr;
    QComboBox *m_minute = nullptr;
    QRadioButton *m_alarmOn = nullptr;
    QRadioButton *m_alarmOff = nullptr;
    QComboBox *m_alarmHour = nullptr;
    QComboBox *m_alarmMinute = nullptr;
};

}  // namespace kq
