#pragma once

#include "model/encoder.h"

#include <QByteArray>

// The items the studio sends to the clock, one output report per item.
namespace kq {

namespace command {
inline constexpr int kTransferProgram = 240;  // then the program bytes and 250
inline constexpr int kRunProgram = 241;
inline constexpr int kTransferMelody = 242;   // then the melody bytes and 250
inline constexpr int kRunMelody = 243;
inline constexpr int kReadTemperature = 244;
inline constexpr int kReadMemory = 245;
inline constexpr int kStopProgram = 246;
inline constexpr int kSetClock = 247;         // then eight values, no end item
inline constexpr int kTransferEnd = 250;
}  // namespace command

// The instructions the thermometer and the train controller send on their own.
enum class DirectCode : int {
    MotorOn = 212,
    LampOn = 215,
    LampOff = 216,
    TrainForward = 222,
    TrainBackward = 223,
    TrainGradualStop = 226,
};

enum class TrainDirection { Forward, Backward };

struct ClockSetting {
    int year = 2000;  // sent as year - 2000
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    bool alarmOn = false;
    int alarmHour = 0;
    int alarmMinute = 0;
};

// A program transfer is FrameTransfer (encoder.h).
ByteList MelodyTransferItems(const ByteList &melodyBytes);
ByteList ClockSettingItems(const ClockSetting &setting);

// The output report of one item: report ID 0, then every data byte equal to
// the item, reportLength bytes in all.
QByteArray OutputReport(int item, int reportLength);

// Every item is a byte value; anything else cannot be put in a report.
[[nodiscard]] bool AreByteValues(const ByteList &items);

}  // namespace kq
