// A full program transfer (240, 120 program bytes, 250: 122 reports) through
// the real waiter against the virtual clock, with the progress window shown:
// its duration (the pacing makes it 122 × 50 ms) and the CPU time the
// process used meanwhile, which should stay near zero since waiting idles.
#include "bench_figures.h"
#include "base/waiter.h"
#include "controls/transfer_progress_window.h"
#include "device/device_link.h"
#include "device/report_text.h"
#include "device/virtual_clock.h"
#include "model/device_generation.h"
#include "services/dialogs.h"

#include <QApplication>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using kq::bench::Median;
using kq::bench::MedianMs;
using kq::bench::ProcessCpuMs;
using kq::bench::ResidentKilobytes;

constexpr int kRuns = 5;
constexpr int kPacingMs = 50;

class CompletionCounter final : public kq::ReportReceiver {
public:
    void ReportReceived(const QString &text) override { completions += text == kq::kCompletionText; }
    void ClockLost() override {}
    int completions = 0;
};

}  // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    kq::QtDialogs dialogs;
    kq::EventLoopWaiter waiter;
    kq::DeviceGeneration generation;
    kq::VirtualClock clock;
    kq::DeviceLink link(clock, dialogs, waiter, generation);
    kq::TransferProgressWindow progressWindow;
    link.SetProgressDisplay(&progressWindow);
    CompletionCounter editor;
    link.RegisterReceiver(kq::ReceiverRole::FlowchartEditor, &editor);
    QWidget caller;
    caller.resize(800, 600);
    caller.show();
    link.Start();

    // start, 117 one-byte instructions, end: 120 bytes.
    kq::ByteList program{230, 2};
    while (program.size() < 119)
        program.append(150);
    program.append(231);
    const int items = int(program.size()) + 2;

    std::vector<double> durations;
    std::vector<double> cpu;
    for (int run = 0; run < kRuns; ++run) {
        const double cpuBefore = ProcessCpuMs();
        const auto start = std::chrono::steady_clock::now();
        if (!link.TransferProgram(program, &caller)) {
            std::fprintf(stderr, "bench_transfer: the virtual clock was not connected\n");
            return 1;
        }
        const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
        durations.push_back(elapsed.count());
        cpu.push_back(ProcessCpuMs() - cpuBefore);
    }

    const double expected = items * kPacingMs;
    const double duration = Median(durations);
    const double cpuMs = Median(cpu);
    std::printf("transfer of %d items (%d runs, %d completions)\n", items, kRuns, editor.completions);
    std::printf("  duration median: %.1f ms (paced %.0f ms, %+.2f %%)\n", duration, expected,
                100.0 * (duration - expected) / expected);
    std::printf("  process CPU median: %.1f ms (%.2f %% of one core)\n", cpuMs, 100.0 * cpuMs / duration);
    return 0;
}
