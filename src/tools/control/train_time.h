#pragma once

#include <QString>

namespace kq {

// The time slider counts tenths of a second.
inline constexpr int kTrainTimeMinimum = 1;
inline constexpr int kTrainTimeMaximum = 254;

// "2.5秒", "1秒", "0.1秒": the slider's time in its shortest decimal form.
QString TrainTimeLabel(int tenths);

}  // namespace kq
