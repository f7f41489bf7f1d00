#include "model/colour_packing.h"

#include "model/encoder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kq {

namespace {

// The stand-in for a packed byte of 250: 242 in a group's second byte,
// 218 elsewhere.
int Avoid250(int byte, int index)
{
    if (byte != kEndOfProgramByte)
        return byte;
    return index == 1 ? 242 : 218;
}

std::uint32_t Levels(int red, int green, int blue)
{
    return std::uint32_t(ColourLevelOf(red)) << 12 | std::uint32_t(ColourLevelOf(green)) << 6
        | std::uint32_t(ColourLevelOf(blue));
}

// Nearest, ties to even.
int RoundEven(double value)
{
    return int(std::nearbyint(value));
}

UnpackedColour FromBits(std::uint32_t levels, int time)
{
    return {ColourOfLevel(int(levels >> 12 & 63)), ColourOfLevel(int(levels >> 6 & 63)),
            ColourOfLevel(int(levels & 63)), time};
}

}  // namespace

int ColourLevelOf(int component)
{
    const int x = std::clamp(component, 0, 255);
    // The level is computed in single precision, as the clock's tables were.
    const float y = float(x * 100.0 / 255.0 / 12.0);
    const double level = std::ceil(double(y) * double(y));
    return std::min(int(level), 63);
}

int ColourOfLevel(int level)
{
    const int l = std::clamp(level, 0, 63);
    const int percent = l >= 63 ? 100 : RoundEven(std::sqrt(double(l)) * 12.0);
    return RoundEven(percent / 100.0 * 255.0);
}

std::array<int, 3> PackColour3(int red, int green, int blue, int time)
{
    // 0 | 18 level bits | 5 time bits = 24 bits
    const std::uint32_t bits = Levels(red, green, blue) << 5 | (std::uint32_t(time) & 0x1F);
    std::array<int, 3> bytes{};
    for (int i = 0; i < 3; ++i)
        bytes[std::size_t(i)] = Avoid250(int(bits >> (8 * (2 - i)) & 0xFF), i);
    return bytes;
}

std::array<int, 4> PackColour4(int red, int green, int blue, int time)
{
    // 0 | 18 level bits | 7 time bits | 6 zero bits = 32 bits
    const std::uint32_t bits = (Levels(red, green, blue) << 7 | (std::uint32_t(time) & 0x7F)) << 6;
    std::array<int, 4> bytes{};
    for (int i = 0; i < 4; ++i)
        bytes[std::size_t(i)] = Avoid250(int(bits >> (8 * (3 - i)) & 0xFF), i);
    return bytes;
}

UnpackedColour UnpackColour3(const std::array<int, 3> &bytes)
{
    const std::uint32_t bits = std::uint32_t(bytes[0] & 0xFF) << 16 | std::uint32_t(bytes[1] & 0xFF) << 8
        | std::uint32_t(bytes[2] & 0xFF);
    return FromBits(bits >> 5 & 0x3FFFF, int(bits & 0x1F));
}

UnpackedColour UnpackColour4(const std::array<int, 4> &bytes)
{
    const std::uint32_t bits = std::uint32_t(bytes[0] & 0xFF) << 24 | std::uint32_t(bytes[1] & 0xFF) << 16
        | std::uint32_t(bytes[2] & 0xFF) << 8 | std::uint32_t(bytes[3] & 0xFF);
    return FromBits(bits >> 13 & 0x3FFFF, int(bits >> 6 & 0x7F));
}

}  // namespace kq
