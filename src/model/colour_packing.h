#pragma once

#include <array>

// The clock takes a full-colour value as three 6-bit levels and a time packed
// into three or four bytes. A byte of 250 would end the program on the clock,
// so packed bytes never take that value.
namespace kq {

// A colour component 0..255 as a level 0..63 (levels grow with the square of
// the intensity, as the LED's brightness does).
int ColourLevelOf(int component);
// The component a level stands for when read back.
int ColourOfLevel(int level);

// Codes 131 and 132: a zero bit, the three levels, the lowest 5 bits of time.
std::array<int, 3> PackColour3(int red, int green, int blue, int time);
// The code-less timed lamp: a zero bit, the three levels, the lowest 7 bits of
// time and six zero bits. The first byte stays below 128.
std::array<int, 4> PackColour4(int red, int green, int blue, int time);

struct UnpackedColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    int time = 0;
    bool operator==(const UnpackedColour &) const = default;
};
UnpackedColour UnpackColour3(const std::array<int, 3> &bytes);
UnpackedColour UnpackColour4(const std::array<int, 4> &bytes);

}  // namespace kq
