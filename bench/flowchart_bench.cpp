// What the flowchart sheet makes the pupil wait for: a repaint of a routine
// with 60 boxes and 59 arrows (target under 5 ms), and one step of moving a
// selection of 20 boxes, which copies the routine, moves the selection and
// repaints (target under 5 ms). Painted on an image the size of a sheet
// window at 1200 x 900.
#include "bench_figures.h"
#include "base/paths.h"
#include "editors/flowchart/flowchart.h"
#include "editors/flowchart/flowchart_painter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using kq::bench::Median;
using kq::bench::MedianMs;
using kq::bench::ProcessCpuMs;
using kq::bench::ResidentKilobytes;

constexpr int kRuns = 41;

// Sixty boxes of every kind in five columns, each linked to the next.
kq::Flowchart FullRoutine()
{
    const char *kinds[] = {"full_time", "full_conti", "light_led", "sound",  "timer", "wait",
                           "if",        "loop",       "dainyuu",   "output", "train"};
    QStringList section = {QStringLiteral("SUB"), QStringLiteral("ひかる"), QString(), QString(), QString()};
    for (int slot = 0; slot < kq::kRoutineSlots; ++slot) {
        const QString kind = slot == 0 ? QStringLiteral("start") : QString::fromLatin1(kinds[slot % 11]);
        const QString preds = slot == 0 ? QString() : QString::number(slot - 1);
        const QString next = slot == kq::kRoutineSlots - 1 ? QString() : QString::number(slot + 1);
        const QString params = slot == 0 ? QStringLiteral("0,0,0,0,0,0") : QStringLiteral("0,%1,0,0,5,0").arg(slot % 4);
        section << QStringLiteral("%1-%2-%3-%4-%5-%6--%7")
                       .arg(slot)
                       .arg(kind)
                       .arg(40 + (slot / 12) * 200)
                       .arg(20 + (slot % 12) * 70)
                       .arg(preds, next, params);
    }
    for (int i = kq::kRoutineSlots; i < kq::kRoutineCount * kq::kRoutineSlots; ++i)
        section << QStringLiteral("0--0-0----");
    kq::Flowchart chart;
    if (!chart.LoadSection(section))
        std::fputs("flowchart_bench: the routine did not load\n", stderr);
    return chart;
}

}  // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTemporaryDir appData;
    const kq::Paths paths(QStringLiteral(KQ_DATA_DIR), appData.path());
    kq::FlowchartPainter painter(paths);
    kq::Flowchart chart = FullRoutine();
    QImage sheet(1200, 900, QImage::Format_RGB32);

    const auto repaint = [&](const kq::Flowchart &shown) {
        QPainter canvas(&sheet);
        canvas.fillRect(sheet.rect(), painter.Background());
        painter.Paint(canvas, shown, shown.CurrentRoutine(), shown.Selection());
    };
    repaint(chart);  // the box pictures are made once, as on the first paint
    const double repaintMs = MedianMs(kRuns, [&] { repaint(chart); });

    chart.SelectBand(QPoint(0, 0), QPoint(400, 690));  // ten rows of two columns
    int step = 0;
    const double moveMs = MedianMs(kRuns, [&] {
        kq::Flowchart moved = chart;
        ++step;
        moved.MoveSelection(step % 2, step % 3, 0, 0);
        repaint(moved);
    });

    std::printf("flowchart repaint, 60 boxes and 59 arrows: median %.2f ms (target 5 ms)\n", repaintMs);
    std::printf("moving %lld boxes by one step: median %.2f ms (target 5 ms)\n",
                static_cast<long long>(chart.Selection().size()), moveMs);
    return 0;
}
