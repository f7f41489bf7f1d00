#include "device/device_commands.h"

namespace kq {

ByteList MelodyTransferItems(const ByteList &melodyBytes)
{
    ByteList items{command::kTransferMelody};
    items += melodyBytes;
    items.append(command::kTransferEnd);
    return items;
}

ByteList ClockSettingItems(const ClockSetting &setting)
{
    return {command::kSetClock, setting.year - 2000, setting.month,  setting.day,
            setting.hour,       setting.minute,      setting.alarmOn ? 1 : 0,
            setting.alarmHour,  setting.alarmMinute};
}

QByteArray OutputReport(int item, int reportLength)
{
    QByteArray report(qMax(reportLength, 1), char(item));
    report[0] = 0;
    return report;
}

bool AreByteValues(const ByteList &items)
{
    for (int item : items) {
        if (item < 0 || item > 255)
            return false;
    }
    return true;
}

}  // namespace kq
