#pragma once

#include "preview/preview_interpreter.h"

#include <QList>

// A host whose sensors a test sets and which records what is shown, with a
// virtual clock the run advances.
namespace kq::testing {

struct LampDraw {
    qint64 at = 0;
    Rgb colour;
    int opacity = 0;
};

struct StartedInstruction {
    qint64 at = 0;
    int address = 0;
    int code = 0;
    SoundPicture soundShown = SoundPicture::None;
};

class RecordingPreviewHost final : public PreviewHost {
public:
    bool SwitchPressed() const override { return switchPressed; }
    bool Bright() const override { return bright; }
    int Temperature() const override { return temperature; }

    void DrawLamp(Rgb colour, int opacity) override { lamps.append({now, colour, opacity}); }
    void ClearLamp() override {}
    void ShowBacklight(BacklightPicture picture) override { backlight = picture; }
    void ShowSoundPicture(SoundPicture picture) override { sound = picture; }
    void InstructionStarted(int address, int code) override { started.append({now, address, code, sound}); }

    QList<int> Addresses() const
    {
        QList<int> addresses;
        for (const StartedInstruction &instruction : started)
            addresses.append(instruction.address);
        return addresses;
    }

    bool switchPressed = false;
    bool bright = true;
    int temperature = 25;

    qint64 now = 0;
    QList<LampDraw> lamps;
    QList<StartedInstruction> started;
    BacklightPicture backlight = BacklightPicture::None;
    SoundPicture sound = SoundPicture::None;
};

// Runs in virtual time until the program pauses, ends or stops; onWait runs
// at the start of every wait that takes time, with its length.
template <typename OnWait>
StepOutcome RunVirtual(PreviewInterpreter &interpreter, RecordingPreviewHost &host, OnWait &&onWait)
{
    return RunPreview(interpreter, [&](int milliseconds) {
        if (milliseconds > 0)
            onWait(milliseconds);
        host.now += milliseconds;
    });
}

inline StepOutcome RunVirtual(PreviewInterpreter &interpreter, RecordingPreviewHost &host)
{
    return RunVirtual(interpreter, host, [](int) {});
}

}  // namespace kq::testing
