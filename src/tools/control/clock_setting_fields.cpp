#include "tools/control/clock_setting_fields.h"

#include <algorithm>

namespace kq {

QStringList YearChoices()
{
    QStringList choices;
    for (int year = kFirstYear; year < kFirstYear + kYearCount; ++year)
        choices.append(QString::number(year % 100));
    return choices;
}

QStringList MonthChoices()
{
    QStringList choices;
    for (int month = 1; month <= 12; ++month)
        choices.append(QStringLiteral("%1").arg(month, 2));
    return choices;
}

QStringList DayChoices()
{
    QStringList choices;
    for (int day = 1; day <= 31; ++day)
        choices.append(QString::number(day));
    return choices;
}

QStringList NumberChoices(int count)
{
    QStringList choices;
    for (int value = 0; value < count; ++value)
        choices.append(QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')));
    return choices;
}

ClockFieldPositions ProposedPositions(const QDateTime &now)
{
    const QDate date = now.date();
    const QTime time = now.time();
    ClockFieldPositions positions;
    positions.year = std::clamp(date.year() - kFirstYear, 0, kYearCount - 1);
    positions.month = date.month() - 1;
    positions.day = date.day() - 1;
    positions.hour = time.hour();
    if (time.minute() == 59) {
        positions.minute = 0;
        positions.hour = (time.hour() + 1) % 24;
    } else {
        positions.minute = time.minute() + 1;
    }
    return positions;
}

QString DateTimeText(const QDateTime &now)
{
    return now.toString(QStringLiteral("yyyy/MM/dd H:mm:ss"));
}

ClockSetting SettingOf(const ClockFieldPositions &fields, const AlarmChoice &alarm)
{
    ClockSetting setting;
    setting.year = kFirstYear + fields.year;
    setting.month = fields.month + 1;
    setting.day = fields.day + 1;
    setting.hour = fields.hour;
    setting.minute = fields.minute;
    setting.alarmOn = alarm.on;
    setting.alarmHour = alarm.hourPosition;
    setting.alarmMinute = alarm.minutePosition;
    return setting;
}

}  // namespace kq
