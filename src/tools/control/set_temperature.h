#pragma once

#include "device/device_commands.h"

#include <QString>

#include <array>

// The thermostat experiment's rules: the temperature the pupil dials in, the
// text of a reading, and what the clock is told after each reading.
namespace kq {

// Each digit turns round: up from 9 gives 0, down from 0 gives 9.
int DigitUp(int digit);
int DigitDown(int digit);

// Three digits: tens, ones and tenths of a degree; 25.0 at first.
struct SetTemperature {
    std::array<int, 3> digits {2, 5, 0};

    // "25.0"
    QString Text() const;
    int Tenths() const;
};

// A reading in hundredths of a degree as the window shows it: one decimal.
QString TemperatureText(int hundredths);

// Compares the set value with the shown text, both as decimal numbers:
// warmer than set runs the fan (motor on), colder lights the lamp, equal
// switches the lamp off.
DirectCode ThermostatCommand(const SetTemperature &set, const QString &shownText);

}  // namespace kq
