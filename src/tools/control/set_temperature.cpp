#include "tools/control/set_temperature.h"

#include <cmath>

namespace kq {

int DigitUp(int digit)
{
    return digit >= 9 ? 0 : digit + 1;
}

int DigitDown(int digit)
{
    return digit <= 0 ? 9 : digit - 1;
}

QString SetTemperature::Text() const
{
    return QStringLiteral("%1%2.%3").arg(digits[0]).arg(digits[1]).arg(digits[2]);
}

int SetTemperature::Tenths() const
{
    return digits[0] * 100 + digits[1] * 10 + digits[2];
}

QString TemperatureText(int hundredths)
{
    return QString::asprintf("%.1f", hundredths / 100.0);
}

DirectCode ThermostatCommand(const SetTemperature &set, const QString &shownText)
{
    // The shown text has one decimal, so whole tenths compare exactly.
    const long shown = std::lround(shownText.toDouble() * 10);
    if (set.Tenths() < shown)
        return DirectCode::MotorOn;
    if (set.Tenths() > shown)
        return DirectCode::LampOn;
    return DirectCode::LampOff;
}

}  // namespace kq
