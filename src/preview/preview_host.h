#pragma once

#include "model/catalogue.h"

// What the interpreter asks of whoever runs it: the sensor inputs the pupil
// sets, and the pictures to show. It never waits itself.
namespace kq {

// The picture beside the clock that tells what it does or waits for.
enum class SoundPicture {
    None,
    Confirmation,  // a confirmation tone
    Melody,  // the sound program
    SoundWait,
    SwitchWait,
    LightWait,
    DarkWait,
    TemperatureWait,
    InputWait,
    AlarmWait,
};

enum class BacklightPicture {
    None,
    Lit,
    Unlit,  // the clock face without its backlight
};

// Opacities the lamp is drawn with: 150 fully lit, 255 invisible.
inline constexpr int kLampFullyLit = 150;
inline constexpr int kLampInvisible = 255;

class PreviewHost {
public:
    virtual ~PreviewHost() = default;

    virtual bool SwitchPressed() const = 0;
    virtual bool Bright() const = 0;
    virtual int Temperature() const = 0;

    virtual void DrawLamp(Rgb colour, int opacity) = 0;
    virtual void ClearLamp() = 0;
    virtual void ShowBacklight(BacklightPicture picture) = 0;
    virtual void ShowSoundPicture(SoundPicture picture) = 0;
    // Before an instruction's action; the clock reports the same address.
    virtual void InstructionStarted(int address, int code) = 0;
};

}  // namespace kq
