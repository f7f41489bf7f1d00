#pragma once

#include "device/device_commands.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// The fields of the clock setting window: their choices, the values proposed
// from the PC's clock and the setting sent.
namespace kq {

inline constexpr int kFirstYear = 2014;  // the year list offers "14" .. "33"
inline constexpr int kYearCount = 20;

QStringList YearChoices();  // "14" .. "33"
QStringList MonthChoices();  // " 1" .. " 9", "10" .. "12"
QStringList DayChoices();  // "1" .. "31", whatever the month
QStringList NumberChoices(int count);  // "00" .. count - 1, two digits

// The selected position of each list.
struct ClockFieldPositions {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    bool operator==(const ClockFieldPositions &) const = default;
};

// The next minute after now, so the setting is right the moment it is sent.
// At minute 59 it is minute 0 of the next hour, and after 23 hour 0 of the
// same date: the date is never advanced. A year outside the list takes its
// nearest end.
ClockFieldPositions ProposedPositions(const QDateTime &now);

// "2025/03/07 10:15:30": the date and time the window shows.
QString DateTimeText(const QDateTime &now);

struct AlarmChoice {
    bool on = false;
    int hourPosition = 12;
    int minutePosition = 0;
};

// The values sent: the year within the century, month and day from 1, hour
// and minute as positioned. The day is not checked against the month.
ClockSetting SettingOf(const ClockFieldPositions &fields, const AlarmChoice &alarm);

}  // namespace kq
