#pragma once

#include "model/colour_packing.h"
#include "model/encoder.h"
#include "preview/preview_host.h"

#include <QStringList>

// Runs a byte program as the clock would, one step per call: each step tells
// how long to wait before the next, or that the run paused on a wait or ended.
// The caller does the waiting (in real or in virtual time).
namespace kq {

enum class StepOutcome {
    Continue,  // wait `milliseconds`, then step again
    Paused,  // waiting for the event of WaitingFor(); see PressWaitButton
    Ended,  // the program's end code
    Stopped,  // RequestStop was honoured
    Broken,  // the program ran off its bytes or held an unknown code
};

struct StepResult {
    StepOutcome outcome = StepOutcome::Continue;
    int milliseconds = 0;
};

inline constexpr int kWaitButtonCount = 7;

class PreviewInterpreter {
public:
    PreviewInterpreter(const ByteList &bytes, PreviewHost &host);

    // Back to the first instruction with every state cleared.
    void Reset();
    [[nodiscard]] StepResult Step();

    // "0" none, "1".."9" the pending wait.
    int WaitingFor() const { return m_waitingFor; }
    // Buttons 1..7; true when the button matches the pending wait, which
    // then continues (the next Step runs the following instruction).
    [[nodiscard]] bool PressWaitButton(int button);
    // Noticed at the next instruction.
    void RequestStop();

    bool LampSteady() const { return m_lampSteady; }
    bool Backlight() const { return m_backlight; }
    int Pc() const { return m_pc; }

private:
    enum class Phase {
        Start,
        BacklightShown,
        Fading,
        Waited
    };

    StepResult BeginInstruction();
    StepResult Continue();
    StepResult Fade(int code);
    StepResult Break();
    StepResult Wait(int milliseconds, Phase phase);
    StepResult Jump(int offset);
    StepResult JumpIf(bool condition, int whenTrue, int whenFalse);
    // The byte at pc + offset, nullopt past the end.
    std::optional<int> ByteAt(int offset) const;
    void SwitchFlagsOff();

    ByteList m_bytes;
    PreviewHost &m_host;

    int m_pc = 0;
    int m_returnAddress = 0;
    QList<int> m_loopStarts;
    QList<int> m_loopCounts;
    int m_x = 0;
    int m_waitingFor = 0;
    bool m_lampSteady = false;
    bool m_backlight = false;
    bool m_melodyLooping = false;
    bool m_stopRequested = false;

    // An instruction that shows something over time runs in several steps.
    Phase m_phase = Phase::Start;
    int m_pendingNext = 0;  // offset of the next address once the phase ends
    UnpackedColour m_fade;
    int m_fadeStep = 0;
};

// Steps until the program pauses, ends or is stopped, waiting through
// `wait(milliseconds)` between steps.
template <typename WaitFunction> StepOutcome RunPreview(PreviewInterpreter &interpreter, WaitFunction &&wait)
{
    for (;;) {
        const StepResult result = interpreter.Step();
        if (result.outcome != StepOutcome::Continue)
            return result.outcome;
        wait(result.milliseconds);
    }
}

}  // namespace kq
