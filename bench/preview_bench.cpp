// A program of known length (a timer, a loop of 3 around a timed lamp and a
// timer, a fade in, a fade out, a timed backlight) run by the interpreter
// under the real waiter, as the preview window runs it: the duration against
// the time the program asks for, and the CPU time the process used meanwhile,
// which should stay near zero since waiting idles.
#include "bench_figures.h"
#include "base/waiter.h"
#include "model/colour_packing.h"
#include "preview/preview_interpreter.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using kq::bench::Median;
using kq::bench::MedianMs;
using kq::bench::ProcessCpuMs;
using kq::bench::ResidentKilobytes;

constexpr int kRuns = 3;

class SilentHost final : public kq::PreviewHost {
public:
    bool SwitchPressed() const override { return false; }
    bool Bright() const override { return true; }
    int Temperature() const override { return 25; }
    void DrawLamp(kq::Rgb, int) override {}
    void ClearLamp() override {}
    void ShowBacklight(kq::BacklightPicture) override {}
    void ShowSoundPicture(kq::SoundPicture) override {}
    void InstructionStarted(int, int) override {}
};

kq::ByteList Program()
{
    const std::array<int, 4> lamp = kq::PackColour4(255, 0, 0, 2);  // 0.5 s
    const std::array<int, 3> fade = kq::PackColour3(0, 0, 255, 4);  // 1 s
    // clang-format off
    return {230, 2,                                   // start
            160, 1, 5,                                // timer 1 s
            190, 3, 8,                                // loop 3 times
            lamp[0], lamp[1], lamp[2], lamp[3], 13,   // lamp 0.5 s
            160, 1, 16,                               // timer 1 s
            191, 18,                                  // loop end
            131, fade[0], fade[1], fade[2], 23,       // fade in
            132, fade[0], fade[1], fade[2], 28,       // fade out
            140, 0, 8, 31,                            // backlight 2 s
            231};
    // clang-format on
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const kq::ByteList program = Program();
    SilentHost host;

    // The program asks for 11 500 ms; the fades add what their steps round
    // to (22 waits of round(t / 21 / 4 s)) and their fixed second each.
    qint64 asked = 0;
    {
        kq::PreviewInterpreter interpreter(program, host);
        interpreter.Reset();
        kq::RunPreview(interpreter, [&asked](int ms) { asked += ms; });
    }

    kq::EventLoopWaiter waiter;
    std::vector<double> durations;
    std::vector<double> cpuShares;
    for (int run = 0; run < kRuns; ++run) {
        kq::PreviewInterpreter interpreter(program, host);
        interpreter.Reset();
        QElapsedTimer clock;
        const double cpuBefore = ProcessCpuMs();
        clock.start();
        kq::RunPreview(interpreter, [&waiter](int ms) { waiter.WaitProcessing(ms); });
        const double elapsed = double(clock.nsecsElapsed()) / 1e6;
        durations.push_back(elapsed);
        cpuShares.push_back((ProcessCpuMs() - cpuBefore) / elapsed * 100);
    }
    const double duration = Median(durations);
    std::printf("preview: programmed 11500 ms, asked %lld ms (fade steps and holds included)\n", asked);
    std::printf("preview: median duration %.1f ms (%+.2f %% of asked), median CPU %.2f %% of one core\n", duration,
                (duration - double(asked)) / double(asked) * 100, Median(cpuShares));
    return 0;
}
