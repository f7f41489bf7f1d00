// What a recovery copy costs the pupil editing a flowchart: the time from a
// change being due to its copy on disk (the program file built, encoded and
// written atomically), for a full flowchart of five routines with 60 boxes
// each and four subroutine names (target under 5 ms), and the UI thread's
// share: building the file's lines; the encoding and the write, synced to
// disk, run on the writer's thread.
#include "bench_figures.h"
#include "base/paths.h"
#include "base/waiter.h"
#include "context/studio_context.h"
#include "device/hidapi_backend.h"
#include "editors/common/program_file_commands.h"
#include "editors/common/step_recovery.h"
#include "editors/flowchart/flowchart_document.h"
#include "services/dialogs.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using kq::bench::MedianMs;
using kq::bench::ProcessCpuMs;

constexpr int kRuns = 101;

// Sixty boxes of every kind in each routine, each linked to the next.
QStringList FullFlowchartSection()
{
    const char *kinds[] = {"full_time", "full_conti", "light_led", "sound",  "timer", "wait",
                           "if",        "loop",       "dainyuu",   "output", "train"};
    QStringList section = {QStringLiteral("SUB"), QStringLiteral("ひかる"), QStringLiteral("なる"),
                           QStringLiteral("まわる"), QStringLiteral("まつ")};
    for (int routine = 0; routine < kq::kRoutineCount; ++routine) {
        for (int slot = 0; slot < kq::kRoutineSlots; ++slot) {
            const QString kind = slot == 0 ? QStringLiteral("start") : QString::fromLatin1(kinds[slot % 11]);
            const QString preds = slot == 0 ? QString() : QString::number(slot - 1);
            const QString next = slot == kq::kRoutineSlots - 1 ? QString() : QString::number(slot + 1);
            const QString params =
                slot == 0 ? QStringLiteral("0,0,0,0,0,0") : QStringLiteral("0,%1,0,0,5,0").arg(slot % 4);
            section << QStringLiteral("%1-%2-%3-%4-%5-%6--%7")
                           .arg(slot)
                           .arg(kind)
                           .arg(40 + (slot / 12) * 200)
                           .arg(20 + (slot % 12) * 70)
                           .arg(preds, next, params);
        }
    }
    return section;
}

// The window as the copy sees it: no caption, so new work.
class NoWindow final : public kq::StepWindowHost {
public:
    QWidget *DialogParent() override { return nullptr; }
    void SetCaption(const QString &) override {}
};

qint64 CopyBytes(const QString &folder)
{
    QDirIterator files(folder, {QStringLiteral("*.copy")}, QDir::Files, QDirIterator::Subdirectories);
    return files.hasNext() ? QFileInfo(files.next()).size() : -1;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    kq::QtDialogs dialogs;
    kq::EventLoopWaiter waiter;
    QTemporaryDir appData;
    kq::HidapiBackend hid;
    kq::StudioContext context(dialogs, waiter, kq::Paths(QString(), appData.path()), hid);

    kq::FlowchartDocument document(context.Generation());
    NoWindow window;
    kq::StepRecovery recovery(context, document, window);
    if (!document.LoadSection(FullFlowchartSection()) || document.Chart().NodeCount() != 300) {
        std::fputs("recovery_bench: the flowchart did not load\n", stderr);
        return 1;
    }

    recovery.Writer().Flush();  // the folder is made and locked with the first copy
    const double cpuBefore = ProcessCpuMs();
    const double writeMs = MedianMs(kRuns, [&] {
        recovery.Writer().NoteChange();
        recovery.Writer().Flush();
    });
    // On a busy machine the wall time includes waiting for a core and the
    // disk; the CPU time is what the copy itself costs.
    const double cpuMs = (ProcessCpuMs() - cpuBefore) / kRuns;
    const double uiMs = MedianMs(kRuns, [&] { (void)kq::QuietProgramFile(context, document); });

    std::printf("recovery copy of a flowchart with 5 x 60 boxes (%lld bytes): median %.2f ms (target 5 ms), "
                "%.2f ms of CPU per copy, %.2f ms of it on the UI thread\n",
                static_cast<long long>(CopyBytes(appData.path())), writeMs, cpuMs, uiMs);
    context.Recovery().RemoveAll();
    return 0;
}
