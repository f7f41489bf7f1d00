#include "preview/preview_interpreter.h"

#include <QtMath>

namespace kq {

namespace {

// The fades step the opacity by 5 from 255 to 150: 21 steps, 22 pictures.
constexpr int kFadeSteps = (kLampInvisible - kLampFullyLit) / 5;
constexpr int kOpacityStep = 5;
constexpr int kFadeHoldMs = 1000;
constexpr int kConfirmationToneMs = 2000;
constexpr int kMelodyMs = 3000;

// Times in lamp and backlight instructions count quarter seconds.
int QuarterSeconds(int quarters)
{
    return quarters * 250;
}

SoundPicture WaitPictureOf(int waitingFor)
{
    switch (waitingFor) {
    case 1:
        return SoundPicture::SoundWait;
    case 2:
        return SoundPicture::SwitchWait;
    case 3:
    case 8:
        return SoundPicture::LightWait;
    case 4:
    case 9:
        return SoundPicture::DarkWait;
    case 5:
        return SoundPicture::TemperatureWait;
    case 6:
        return SoundPicture::InputWait;
    default:
        return SoundPicture::AlarmWait;
    }
}

// The wait a button delivers matches these pending waits.
bool ButtonMatches(int button, int waitingFor)
{
    switch (button) {
    case 3:
        return waitingFor == 3 || waitingFor == 8;
    case 4:
        return waitingFor == 4 || waitingFor == 9;
    default:
        return button == waitingFor;
    }
}

// The palette of the steady lamp: its six colours, white for anything else.
Rgb SteadyColourOf(int number)
{
    if (number >= 0 && number <= 5)
        return ColourRgbOf(number);
    return Rgb {255, 255, 255};
}

}  // namespace

PreviewInterpreter::PreviewInterpreter(const ByteList &bytes, PreviewHost &host) : m_bytes(bytes), m_host(host)
{
}

void PreviewInterpreter::Reset()
{
    m_pc = 0;
    m_returnAddress = 0;
    m_loopStarts.clear();
    m_loopCounts.clear();
    m_x = 0;
    m_waitingFor = 0;
    SwitchFlagsOff();
    m_stopRequested = false;
    m_phase = Phase::Start;
}

void PreviewInterpreter::SwitchFlagsOff()
{
    m_lampSteady = false;
    m_backlight = false;
    m_melodyLooping = false;
}

void PreviewInterpreter::RequestStop()
{
    m_stopRequested = true;
    SwitchFlagsOff();
    m_host.ClearLamp();
    m_host.ShowBacklight(BacklightPicture::None);
    m_host.ShowSoundPicture(SoundPicture::None);
}

bool PreviewInterpreter::PressWaitButton(int button)
{
    if (m_waitingFor == 0 || !ButtonMatches(button, m_waitingFor))
        return false;
    // The waits with a parameter byte keep their next address after it.
    const bool hasParameter = m_waitingFor == 5 || m_waitingFor == 8 || m_waitingFor == 9;
    m_waitingFor = 0;
    // An address past the bytes ends the run at the next step.
    m_pc = ByteAt(hasParameter ? 2 : 1).value_or(-1);
    return true;
}

std::optional<int> PreviewInterpreter::ByteAt(int offset) const
{
    const qsizetype position = qsizetype(m_pc) + offset;
    if (position < 0 || position >= m_bytes.size())
        return std::nullopt;
    return m_bytes.at(position);
}

StepResult PreviewInterpreter::Step()
{
    if (m_waitingFor != 0)
        return {StepOutcome::Paused};
    if (m_phase != Phase::Start)
        return Continue();
    return BeginInstruction();
}

StepResult PreviewInterpreter::Break()
{
    m_phase = Phase::Start;
    SwitchFlagsOff();
    return {StepOutcome::Broken};
}

StepResult PreviewInterpreter::Wait(int milliseconds, Phase phase)
{
    m_phase = phase;
    return {StepOutcome::Continue, milliseconds};
}

StepResult PreviewInterpreter::Jump(int offset)
{
    m_phase = Phase::Start;
    const std::optional<int> next = ByteAt(offset);
    if (!next)
        return Break();
    m_pc = *next;
    return {StepOutcome::Continue, 0};
}

StepResult PreviewInterpreter::JumpIf(bool condition, int whenTrue, int whenFalse)
{
    return Jump(condition ? whenTrue : whenFalse);
}

StepResult PreviewInterpreter::BeginInstruction()
{
    if (!m_lampSteady)
        m_host.ClearLamp();
    if (!m_backlight)
        m_host.ShowBacklight(BacklightPicture::None);
    if (!m_melodyLooping)
        m_host.ShowSoundPicture(SoundPicture::None);
    if (m_stopRequested)
        return {StepOutcome::Stopped};

    const std::optional<int> read = ByteAt(0);
    if (!read)
        return Break();
    const int code = *read;
    m_host.InstructionStarted(m_pc, code);

    switch (code) {
    case 230:
        return Jump(1);
    case 231:
        SwitchFlagsOff();
        return {StepOutcome::Ended};
    case kSubroutineReturnCode:
        m_pc = m_returnAddress;
        return {StepOutcome::Continue, 0};
    case 195: {
        const std::optional<int> back = ByteAt(2);
        if (!back)
            return Break();
        m_returnAddress = *back;
        return Jump(1);
    }
    case 140: {
        const std::optional<int> time = ByteAt(2);
        if (!time)
            return Break();
        m_host.ShowBacklight(BacklightPicture::Lit);
        m_pendingNext = 3;
        return Wait(QuarterSeconds(*time), Phase::BacklightShown);
    }
    case 141:
        m_backlight = true;
        m_host.ShowBacklight(BacklightPicture::Lit);
        return Jump(1);
    case 142:
        m_backlight = false;
        m_host.ShowBacklight(BacklightPicture::Unlit);
        return Jump(1);
    case 150:
    case 151:
    case 152:
        m_host.ShowSoundPicture(SoundPicture::Confirmation);
        m_pendingNext = 1;
        return Wait(kConfirmationToneMs, Phase::Waited);
    case 153:
        m_host.ShowSoundPicture(SoundPicture::Melody);
        m_pendingNext = 1;
        return Wait(kMelodyMs, Phase::Waited);
    case 157:
        m_melodyLooping = true;
        m_host.ShowSoundPicture(SoundPicture::Melody);
        return Jump(1);
    case 158:
        m_melodyLooping = false;
        m_host.ShowSoundPicture(SoundPicture::None);
        return Jump(1);
    case 180:
    case 181: {
        const bool wanted = code == 180;
        return JumpIf(m_host.SwitchPressed() == wanted, 1, 2);
    }
    case 182:
    case 183: {
        const bool wanted = code == 182;
        return JumpIf(m_host.Bright() == wanted, 1, 2);
    }
    case 205:
    case 206: {
        const bool wanted = code == 205;
        return JumpIf(m_host.Bright() == wanted, 2, 3);
    }
    case 184:
    case 185:
    case 186: {
        const std::optional<int> set = ByteAt(1);
        if (!set)
            return Break();
        const int temperature = m_host.Temperature();
        if (code == 184)
            return JumpIf(*set < temperature, 2, 3);
        if (code == 185)
            return JumpIf(*set < temperature, 3, 2);
        return JumpIf(*set == temperature, 2, 3);
    }
    case 187:
        return JumpIf(m_x < m_host.Temperature(), 1, 2);
    case 188:
        return JumpIf(m_x < m_host.Temperature(), 2, 1);
    case 189:
        return JumpIf(m_x == m_host.Temperature(), 1, 2);
    case 190: {
        const std::optional<int> count = ByteAt(1);
        const std::optional<int> body = ByteAt(2);
        if (!count || !body)
            return Break();
        m_loopStarts.append(*body);
        m_loopCounts.append(*count);
        m_pc = *body;
        return {StepOutcome::Continue, 0};
    }
    case 191:
        if (m_loopCounts.isEmpty())
            return Break();
        if (m_loopCounts.last() < 2) {
            m_loopCounts.removeLast();
            m_loopStarts.removeLast();
            return Jump(1);
        }
        --m_loopCounts.last();
        m_pc = m_loopStarts.last();
        return {StepOutcome::Continue, 0};
    case 200:
        m_x = m_host.Temperature();
        return Jump(1);
    case 135: {
        const std::optional<int> colour = ByteAt(1);
        if (!colour)
            return Break();
        m_lampSteady = true;
        m_host.DrawLamp(SteadyColourOf(*colour), kLampFullyLit);
        return Jump(2);
    }
    case 136:
        m_lampSteady = false;
        m_host.DrawLamp(Rgb {0, 0, 0}, kLampFullyLit);
        return Jump(1);
    case 131:
    case 132: {
        const std::optional<int> b1 = ByteAt(1), b2 = ByteAt(2), b3 = ByteAt(3);
        if (!b1 || !b2 || !b3)
            return Break();
        m_fade = UnpackColour3({*b1, *b2, *b3});
        m_fadeStep = 0;
        m_host.DrawLamp(Rgb {m_fade.red, m_fade.green, m_fade.blue}, code == 131 ? kLampInvisible : kLampFullyLit);
        return Fade(code);
    }
    default:
        break;
    }

    if (code >= 160 && code <= 167) {
        const std::optional<int> seconds = ByteAt(1);
        if (!seconds)
            return Break();
        m_pendingNext = code >= 165 ? 3 : 2;
        return Wait(*seconds * 1000, Phase::Waited);
    }
    if (code >= 170 && code <= 178) {
        m_waitingFor = code - 169;
        m_host.ShowSoundPicture(WaitPictureOf(m_waitingFor));
        return {StepOutcome::Paused};
    }
    if ((code >= 210 && code <= 216) || (code >= 220 && code <= 227))
        return Jump(LayoutOfCode(code).size - 1);
    if (code < 128) {
        const std::optional<int> b1 = ByteAt(1), b2 = ByteAt(2), b3 = ByteAt(3);
        if (!b1 || !b2 || !b3)
            return Break();
        const UnpackedColour lamp = UnpackColour4({code, *b1, *b2, *b3});
        m_host.DrawLamp(Rgb {lamp.red, lamp.green, lamp.blue}, kLampFullyLit);
        m_pendingNext = 4;
        return Wait(QuarterSeconds(lamp.time), Phase::Waited);
    }
    // A code the clock does not know: its bytes cannot be followed.
    return Break();
}

StepResult PreviewInterpreter::Fade(int code)
{
    if (m_fadeStep > kFadeSteps) {
        m_pendingNext = 4;
        return Wait(kFadeHoldMs, Phase::Waited);
    }
    const int k = code == 131 ? m_fadeStep : kFadeSteps - m_fadeStep;
    m_host.DrawLamp(Rgb {m_fade.red, m_fade.green, m_fade.blue}, kLampInvisible - kOpacityStep * k);
    ++m_fadeStep;
    return Wait(qRound(m_fade.time * 250.0 / kFadeSteps), Phase::Fading);
}

StepResult PreviewInterpreter::Continue()
{
    switch (m_phase) {
    case Phase::BacklightShown:
        m_host.ShowBacklight(BacklightPicture::Unlit);
        return Jump(m_pendingNext);
    case Phase::Fading: {
        const std::optional<int> code = ByteAt(0);
        return code ? Fade(*code) : Break();
    }
    case Phase::Waited:
    case Phase::Start:
        break;
    }
    return Jump(m_pendingNext);
}

}  // namespace kq
