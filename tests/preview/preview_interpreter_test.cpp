#include "model/colour_packing.h"
#include "preview/preview_interpreter.h"
#include "recording_preview_host.h"

#include <gtest/gtest.h>

namespace kq::testing {
namespace {

constexpr int kStart = 230;
constexpr int kEnd = 231;

ByteList TimedLamp(int red, int green, int blue, int quarters, int next)
{
    const std::array<int, 4> packed = PackColour4(red, green, blue, quarters);
    return {packed[0], packed[1], packed[2], packed[3], next};
}

TEST(PreviewInterpreter, LoopOfThreeShowsTheLampThreeTimesForItsTime)
{
    // 0 start, 2 loop 3 times over 5, 5 lamp of 0.5 s, 10 loop end, 12 end
    ByteList bytes {kStart, 2, 190, 3, 5};
    bytes += TimedLamp(255, 0, 0, 2, 10);
    bytes += ByteList {191, 12, kEnd};
    RecordingPreviewHost host;
    PreviewInterpreter interpreter(bytes, host);

    EXPECT_EQ(RunVirtual(interpreter, host), StepOutcome::Ended);
    ASSERT_EQ(host.lamps.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(host.lamps[i].at, 500 * i);
        EXPECT_EQ(host.lamps[i].colour, (Rgb {255, 0, 0}));
        EXPECT_EQ(host.lamps[i].opacity, kLampFullyLit);
    }
    EXPECT_EQ(host.Addresses(), (QList<int> {0, 2, 5, 10, 5, 10, 5, 10, 12}));
    EXPECT_EQ(host.now, 1500);
}

TEST(PreviewInterpreter, SwitchWaitContinuesOnlyOnTheSwitchButton)
{
    RecordingPreviewHost host;
    PreviewInterpreter interpreter({kStart, 2, 171, 4, kEnd}, host);

    EXPECT_EQ(RunVirtual(interpreter, host), StepOutcome::Paused);
    EXPECT_EQ(interpreter.WaitingFor(), 2);
    EXPECT_EQ(host.sound, SoundPicture::SwitchWait);
    EXPECT_FALSE(interpreter.PressWaitButton(3));
    EXPECT_EQ(RunVirtual(interpreter, host), StepOutcome::Paused);
    EXPECT_TRUE(interpreter.PressWaitButton(2));
    EXPECT_EQ(RunVirtual(interpreter, host), StepOutcome::Ended);
    EXPECT_EQ(host.Addresses(), (QList<int> {0, 2, 4}));
}

TEST(PreviewInterpreter, WaitButtonsMatchTheirWaits)
{
    struct Case {
        int code;
        int button;
        bool hasParameter;
    };
    const Case cases[] = {{170, 1, false}, {171, 2, false}, {172, 3, false}, {173, 4, false}, {174, 5, true},
                          {175, 6, false}, {176, 7, false}, {177, 3, true},  {178, 4, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        // The wait at 2; its next address is 5 after a parameter byte, 4 without.
        ByteList bytes {kStart, 2, c.code};
        bytes += c.hasParameter ? ByteList {30, 5} : ByteList {4};
        bytes += ByteList {kEnd, kEnd};
        RecordingPreviewHost host;
        PreviewInterpreter interpreter(bytes, host);
        ASSERT_EQ(RunVirtual(interpreter, host), StepOutcome::Paused);
        EXPECT_EQ(interpreter.WaitingFor(), c.code - 169);
        for (int other = 1; other <= kWaitButtonCount; ++other) {
            if (other != c.button) {
                EXPECT_FALSE(interpreter.PressWaitButton(other)) << other;
            }
        }
        EXPECT_TRUE(interpreter.PressWaitButton(c.button));
        EXPECT_EQ(interpreter.WaitingFor(), 0);
        EXPECT_FALSE(interpreter.PressWaitButton(c.button));
        EXPECT_EQ(RunVirtual(interpreter, host), StepOutcome::Ended);
        EXPECT_EQ(host.started.last().address, c.hasParameter ? 5 : 4);
    }
}

TEST(PreviewInterpreter, XKeepsTheTemperatureOfItsAssignment)
{
    // 0 start, 2 x = temperature, 4 timer 1 s, 7 if temperature > x: 10 else 11
    const ByteList bytes {kStart, 2, 200, 4, 160, 1, 7, 187, 10, 11, kEnd, kEnd};
    for (const int moved : {25, 30}) {
        SCOPED_TRACE(moved);
        RecordingPreviewHost host;
        PreviewInterpreter interpreter(bytes, host);
        EXPECT_EQ(RunVirtual(interpreter, host, [&](int) { host.temperature = moved; }), StepOutcome::Ended);
        EXPECT_EQ(host.started.last().address, moved == 30 ? 10 : 11);
    }
}

TEST(PreviewInterpreter, ComparisonsCountEqualAsTheSpecifiedSide)
{
    struct Case {
        ByteList test;  // at address 7; the true branch is 20, the false one 21
        int temperature;
        int expected;
    };
    // 184..186 carry the set temperature 25; 187..189 compare x, assigned at 25.
    const Case cases[] = {
        {{184, 25, 20, 21}, 26, 20}, {{184, 25, 20, 21}, 25, 21}, {{185, 25, 20, 21}, 25, 20},
        {{185, 25, 20, 21}, 26, 21}, {{186, 25, 20, 21}, 25, 20}, {{186, 25, 20, 21}, 24, 21},
        {{187, 20, 21}, 26, 20},     {{187, 20, 21}, 25, 21},     {{188, 20, 21}, 25, 20},
        {{188, 20, 21}, 26, 21},     {{189, 20, 21}, 25, 20},     {{189, 20, 21}, 26, 21},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.test.first());
        SCOPED_TRACE(c.temperature);
        // 0 start, 2 x = temperature, 4 a timer of 1 s during which the temperature moves
        ByteList bytes {kStart, 2, 200, 4, 160, 1, 7};
        bytes += c.test;
        bytes.resize(20, 0);
        bytes += ByteList {kEnd, kEnd};
        RecordingPreviewHost host;
        PreviewInterpreter interpreter(bytes, host);
        EXPECT_EQ(RunVirtual(interpreter, host, [&](int) { host.temperature = c.temperature; }), StepOutcome::Ended);
        EXPECT_EQ(host.started.last().address, c.expected);
    }
}

TEST(PreviewInterpreter, SensorBranches)
{
    struct Case {
        ByteList test;  // at address 2; the true branch is 20, the false one 21
        bool pressed;
        bool bright;
        int expected;
    };
    const Case cases[] = {
        {{180, 20, 21}, true, true, 20},       {{180, 20, 21}, false, true, 21},
        {{181, 20, 21}, false, true, 20},      {{181, 20, 21}, true, true, 21},
        {{182, 20, 21}, false, true, 20},      {{182, 20, 21}, false, false, 21},
        {{183, 20, 21}, false, false, 20},     {{183, 20, 21}, false, true, 21},
        {{205, 99, 20, 21}, false, true, 20},  {{205, 99, 20, 21}, false, false, 21},
        {{206, 99, 20, 21}, false, false, 20}, {{206, 99, 20, 21}, false, true, 21},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.test.first());
        ByteList bytes {kStart, 2};
        bytes += c.test;
        bytes.resize(20, 0);
        bytes += ByteList {kEnd, kEnd};
        RecordingPreviewHost host;
        host.switchPressed = c.pressed;
        host.bright = c.bright;
        PreviewInterpreter interpreter(bytes, host);
        EXPECT_EQ(RunVirtual(interpreter, host), StepOutcome::Ended);
        EXPECT_EQ(host.started.last().address, c.expected);
    }
}

// Each instruction at address 2 followed by the end at the address it names:
// the time it takes and where it continues.
TEST(PreviewInterpreter, EveryCodeTakesItsTimeAndContinuesAtItsNext)
{
    struct Case {
        ByteList instruction;
        int milliseconds;
    };
    const std::array<int, 3> fade = PackColour3(0, 255, 0, 21);
    const Case cases[] = {
        {{140, 0, 6, 20}, 1500},
        {{141, 20}, 0},
        {{142, 20}, 0},
        {{150, 20}, 2000},
        {{151, 20}, 2000},
        {{152, 20}, 2000},
        {{153, 20}, 3000},
        {{157, 20}, 0},
        {{158, 20}, 0},
        {{160, 2, 20}, 2000},
        {{161, 2, 20}, 2000},
        {{162, 2, 20}, 2000},
        {{163, 2, 20}, 2000},
        {{164, 2, 20}, 2000},
        {{165, 2, 9, 20}, 2000},
        {{166, 2, 9, 20}, 2000},
        {{167, 2, 9, 20}, 2000},
        {{200, 20}, 0},
        {{135, 3, 20}, 0},
        {{136, 20}, 0},
        {{131, fade[0], fade[1], fade[2], 20}, 22 * 250 + 1000},
        {{132, fade[0], fade[1], fade[2], 20}, 22 * 250 + 1000},
        {TimedLamp(0, 0, 255, 6, 20), 1500},
        {{210, 20}, 0},
        {{211, 1, 20}, 0},
        {{212, 20}, 0},
        {{213, 20}, 0},
        {{214, 1, 20}, 0},
        {{215, 20}, 0},
        {{216, 20}, 0},
        {{220, 1, 1, 20}, 0},
        {{221, 1, 1, 20}, 0},
        {{222, 20}, 0},
        {{223, 20}, 0},
        {{224, 1, 20}, 0},
        {{225, 1, 20}, 0},
        {{226, 1, 20}, 0},
        {{227, 20}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.instruction.first());
        ByteList bytes {kStart, 2};
        bytes += c.instruction;
        bytes.resize(20, 0);
        bytes += kEnd;
        RecordingPreviewHost host;
        PreviewInterpreter interpreter(bytes, host);
        EXPECT_EQ(RunVirtual(interpreter, host), StepOutcome::Ended);
        EXPECT_EQ(host.Addresses(), (QList<int> {0, 2, 20}));
        EXPECT_EQ(host.now, c.milliseconds);
    }
}

TEST(PreviewInterpreter, FadesStepTheOpacityInTwentyTwoPictures)
{
    const std::array<int, 3> fade = PackColour3(0, 0, 255, 21);
    for (const int code : {131, 132}) {
        SCOPED_TRACE(code);
        RecordingPreviewHost host;
        PreviewInterpreter interpreter({kStart, 2, code, fade[0], fade[1], fade[2], 7, kEnd}, host);
        EXPECT_EQ(RunVirtual(interpreter, host), StepOutcome::Ended);
        ASSERT_EQ(host.lamps.size(), 23);
        EXPECT_EQ(host.lamps.first().opacity, code == 131 ? 255 : 150);
        for (int k = 0; k <= 21; ++k) {
            const LampDraw &draw = host.lamps[k + 1];
            EXPECT_EQ(draw.opacity, code == 131 ? 255 - 5 * k : 150 + 5 * k);
            EXPECT_EQ(draw.at, 250 * k);
            EXPECT_EQ(draw.colour, (Rgb {0, 0, 255}));
        }
    }
}

TEST(PreviewInterpreter, SteadyLampKeepsItsPaletteColourUntilSwitchedOff)
{
    // 0 start, 2 steady lamp colour 9 (white), 5 timer, 8 steady off, 10 end
    RecordingPreviewHost host;
    PreviewInterpreter interpreter({kStart, 2, 135, 9, 5, 160, 1, 8, 136, 10, kEnd}, host);
    EXPECT_EQ(RunVirtual(interpreter, host), StepOutcome::Ended);
    ASSERT_EQ(host.lamps.size(), 2);
    EXPECT_EQ(host.lamps[0].colour, (Rgb {255, 255, 255}));
    EXPECT_EQ(host.lamps[1].colour, (Rgb {0, 0, 0}));
    EXPECT_FALSE(interpreter.LampSteady());
}

TEST(PreviewInterpreter, MelodyPictureStaysFromLoopOnToLoopOff)
{
    // 0 start, 2 melody on, 4 timer, 7 melody off, 9 timer, 12 end
    RecordingPreviewHost host;
    PreviewInterpreter interpreter({kStart, 2, 157, 4, 160, 1, 7, 158, 9, 160, 1, 12, kEnd}, host);
    EXPECT_EQ(RunVirtual(interpreter, host), StepOutcome::Ended);
    ASSERT_EQ(host.started.size(), 6);
    EXPECT_EQ(host.started[2].soundShown, SoundPicture::Melody);  // the first timer
    EXPECT_EQ(host.started[3].soundShown, SoundPicture::Melody);  // melody off
    EXPECT_EQ(host.started[4].soundShown, SoundPicture::None);  // the second timer
}

TEST(PreviewInterpreter, ConfirmationToneIsClearedAfterItsWait)
{
    RecordingPreviewHost host;
    PreviewInterpreter interpreter({kStart, 2, 150, 4, 160, 1, 7, kEnd}, host);
    EXPECT_EQ(RunVirtual(interpreter, host), StepOutcome::Ended);
    EXPECT_EQ(host.started[1].soundShown, SoundPicture::None);
    EXPECT_EQ(host.started[2].soundShown, SoundPicture::None);
    EXPECT_EQ(host.started[2].at, 2000);
}

TEST(PreviewInterpreter, StopDuringATimerEndsWhenItsWaitReturns)
{
    // 0 start, 2 timer 5 s, 5 lamp on, 8 end
    RecordingPreviewHost host;
    PreviewInterpreter interpreter({kStart, 2, 160, 5, 5, 135, 0, 8, kEnd}, host);
    interpreter.Reset();
    EXPECT_EQ(RunVirtual(interpreter, host, [&](int) { interpreter.RequestStop(); }), StepOutcome::Stopped);
    EXPECT_EQ(host.now, 5000);
    EXPECT_EQ(host.Addresses(), (QList<int> {0, 2}));
    EXPECT_TRUE(host.lamps.isEmpty());

    // Play again starts from the beginning.
    interpreter.Reset();
    EXPECT_EQ(RunVirtual(interpreter, host), StepOutcome::Ended);
    EXPECT_EQ(host.started.last().address, 8);
}

TEST(PreviewInterpreter, SubroutineReturnsToTheAddressAfterItsCall)
{
    // 0 start, 2 call 8 returning to 5, 5 backlight on, 7 end, 8 lamp on, 10 return
    RecordingPreviewHost host;
    PreviewInterpreter interpreter({kStart, 2, 195, 8, 5, 141, 7, kEnd, 142, 10, kSubroutineReturnCode}, host);
    EXPECT_EQ(RunVirtual(interpreter, host), StepOutcome::Ended);
    EXPECT_EQ(host.Addresses(), (QList<int> {0, 2, 8, 10, 5, 7}));
    // The end switches the steady backlight off.
    EXPECT_FALSE(interpreter.Backlight());
}

TEST(PreviewInterpreter, NestedLoopsRepeatTheirBodies)
{
    // 0 start, 2 loop 2 over 5, 5 loop 3 over 8, 8 timer 1 s, 11 inner end, 13 outer end, 15 end
    RecordingPreviewHost host;
    PreviewInterpreter interpreter({kStart, 2, 190, 2, 5, 190, 3, 8, 160, 1, 11, 191, 13, 191, 15, kEnd}, host);
    EXPECT_EQ(RunVirtual(interpreter, host), StepOutcome::Ended);
    EXPECT_EQ(host.now, 6000);
}

TEST(PreviewInterpreter, BrokenProgramsEndWithoutReadingPastTheirBytes)
{
    const ByteList cases[] = {
        {},
        {kStart},  // its next address is missing
        {kStart, 9},  // jumps past the end
        {kStart, 2, 160, 1},  // the timer's next address is missing
        {kStart, 2, 137, 4, kEnd},  // no such code
        {kStart, 2, 250},  // the end-of-memory mark
        {kStart, 2, 191, 4, kEnd},  // a loop end without its loop
        {kStart, 2, 10, 20, 30},  // a lamp cut short
        {kStart, 2, 131, 1, 2},  // a fade cut short
        {kStart, 2, 171},  // a wait without its next address
    };
    for (const ByteList &bytes : cases) {
        SCOPED_TRACE(ByteListTexts(bytes).join(',').toStdString());
        RecordingPreviewHost host;
        PreviewInterpreter interpreter(bytes, host);
        StepOutcome outcome = RunVirtual(interpreter, host);
        if (outcome == StepOutcome::Paused) {
            EXPECT_TRUE(interpreter.PressWaitButton(2));
            outcome = RunVirtual(interpreter, host);
        }
        EXPECT_EQ(outcome, StepOutcome::Broken);
    }
}

}  // namespace
}  // namespace kq::testing
