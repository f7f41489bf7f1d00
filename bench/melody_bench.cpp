// The two things a full melody makes the pupil wait for: PC playback of 110
// half notes at half speed (synthesis and writing of about 10 MB of samples,
// target under 100 ms) and a redraw of the staff with 110 notes (target under
// 10 ms), at the size a window of 1024 pixels gives it.
#include "bench_figures.h"
#include "tools/melody/melody.h"
#include "tools/melody/melody_bytes.h"
#include "tools/melody/melody_wave.h"
#include "tools/melody/staff_layout.h"
#include "tools/melody/staff_painter.h"

#include <QFileInfo>
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

constexpr int kRuns = 21;
constexpr int kStaffWidth = 990;

// Half notes over the whole range, sharps and rests among them.
kq::Melody FullMelody()
{
    kq::Melody melody;
    melody.SetCurrentLength(4);
    melody.SetLedLink(true);
    for (int i = 0; i < kq::kMelodySlots; ++i) {
        const int key = i % 23 == 22 ? kq::kRestKey : i % 22;
        if (!melody.Append({key, key != kq::kRestKey && kq::HasBlackKeyRight(key) && i % 3 == 0}))
            break;
    }
    return melody;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    kq::Melody melody = FullMelody();
    melody.SetSpeed(kq::MelodySpeed::Half);
    QTemporaryDir dir;
    const QString wave = dir.filePath(kq::kMelodyWaveName);
    bool written = true;
    const double waveMs =
        MedianMs(kRuns, [&] { written = written && kq::WriteMelodyWave(wave, kq::MelodyNoteBytes(melody), melody.Speed()); });
    std::printf("melody WAV: 110 half notes at half speed, %.1f MB: median %.1f ms (target < 100 ms)\n",
                QFileInfo(wave).size() / 1e6, waveMs);

    // The clef is one small picture drawn once; a stand-in of its size.
    QImage clef(28, 60, QImage::Format_RGB32);
    clef.fill(Qt::white);
    const kq::StaffLayout layout = kq::LayOutStaff(melody, kStaffWidth);
    QImage area(kStaffWidth, layout.height, QImage::Format_ARGB32_Premultiplied);
    const double staffMs = MedianMs(kRuns, [&] {
        area.fill(Qt::white);
        QPainter painter(&area);
        kq::PaintStaff(painter, melody, kq::LayOutStaff(melody, kStaffWidth), clef);
    });
    std::printf("staff redraw: 110 notes in %d rows, %d x %d pixels: median %.2f ms (target < 10 ms)\n", layout.rows,
                kStaffWidth, layout.height, staffMs);
    return written ? 0 : 1;
}
