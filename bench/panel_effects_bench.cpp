// Every effect of the panel maker on a full TL-3 panel (1890 x 590) against
// ImageMagick's closest operation, medians of several runs. ImageMagick's
// figure is its run time minus that of reading the same picture and writing
// nothing, so its start-up and file reading do not count against it. Our CPU
// time (all threads) is printed beside the wall time: on a busy machine it
// compares two builds more fairly.
#include "bench_figures.h"
#include "panel/effects/effect_records.h"
#include "panel/effects/image_effects.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace {

using kq::bench::Median;
using kq::bench::MedianMs;
using kq::bench::ProcessCpuMs;
using kq::bench::ResidentKilobytes;

using namespace kq::panel;

constexpr int kOwnRuns = 15;
constexpr int kMagickRuns = 3;
constexpr double kTargetMs = 50.0;
constexpr double kTargetRatio = 10.0;

// Photo-like: a sky, soft hills, a sun, sharp-edged shapes and fine texture.
QImage PanelPhoto()
{
    QImage image(1890, 590, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double hill = 380 + 60 * std::sin(x / 170.0) + 25 * std::sin(x / 47.0 + 1.3);
            const double grain = 10 * std::sin(x * 0.9 + y * 1.7) * std::sin(x * 0.31 - y * 0.53);
            int r, g, b;
            if (y < hill) {
                r = 90 + y / 6;
                g = 150 + y / 8;
                b = 235 - y / 10;
            } else {
                r = 60 + (y - int(hill)) / 3;
                g = 140 + int(30 * std::sin(x / 23.0));
                b = 50;
            }
            row[x] = qRgb(std::clamp(int(r + grain), 0, 255), std::clamp(int(g + grain), 0, 255),
                          std::clamp(int(b + grain), 0, 255));
        }
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 220, 80));
    painter.drawEllipse(QPointF(1500, 120), 80, 80);
    painter.setBrush(QColor(200, 40, 40));
    painter.drawRect(300, 300, 220, 160);
    painter.setBrush(QColor(120, 70, 30));
    painter.drawPolygon(QPolygonF({QPointF(280, 300), QPointF(410, 200), QPointF(540, 300)}));
    painter.setBrush(QColor(250, 250, 250));
    for (int i = 0; i < 6; ++i)
        painter.drawEllipse(QPointF(200 + 260 * i, 90 + 20 * (i % 3)), 70, 28);
    return image;
}

struct OwnFigures {
    double ms;     // wall time
    double cpuMs;  // CPU time of all threads, which a busy machine does not inflate as much
};

OwnFigures Own(const QImage &photo, const Effect &effect)
{
    std::vector<double> times, cpuTimes;
    for (int run = 0; run < kOwnRuns; ++run) {
        QImage image = photo;
        UnattendedEffect control;
        const double cpuBefore = ProcessCpuMs();
        QElapsedTimer timer;
        timer.start();
        if (!ApplyEffect(image, effect, control))
            std::fprintf(stderr, "effect refused\n");
        times.push_back(timer.nsecsElapsed() / 1e6);
        cpuTimes.push_back(ProcessCpuMs() - cpuBefore);
    }
    return {Median(times), Median(cpuTimes)};
}

double MagickRunMs(const QString &convert, const QStringList &arguments)
{
    std::vector<double> times;
    for (int run = 0; run < kMagickRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        QProcess process;
        process.start(convert, arguments);
        process.waitForFinished(-1);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return Median(times);
}

struct Case {
    const char *name;
    Effect effect;
    const char *magick;  // the operation, or null when ImageMagick has none close
};

}  // namespace

// Arguments, if any, pick the effects whose names start with one of them.
int main(int argc, char **argv)
{
    const QImage photo = PanelPhoto();
    const EffectArea whole;
    const Case cases[] = {
        {"Sharp", SharpEffect{whole, 10}, "-sharpen 0x1.5"},
        {"Outline", OutlineEffect{whole, 10}, "-edge 1"},
        {"Blur", BlurEffect{whole, 10}, "-blur 0x5"},
        {"Blur 20", BlurEffect{whole, 20}, "-blur 0x10"},
        {"Mosaic", MosaicEffect{whole, 10, 10}, "-sample 189x59! -sample 1890x590!"},
        {"Chroma", ChromaEffect{whole, -100}, "-modulate 100,0"},
        {"Lens", LensEffect{whole, 3, true}, "-implode -1"},
        {"Canvas", CanvasEffect{whole, CanvasLight::TopRight, 20}, nullptr},
        {"Emboss", EmbossEffect{}, "-emboss 1"},
        {"WhirlPinch", WhirlPinchEffect{}, "-swirl 180"},
        {"MotionBlur linear", MotionBlurEffect{whole, MotionKind::Linear, 120, 10}, "-motion-blur 0x40+10"},
        {"MotionBlur linear 255", MotionBlurEffect{whole, MotionKind::Linear, 255, 45}, "-motion-blur 0x85+45"},
        {"MotionBlur radial", MotionBlurEffect{whole, MotionKind::Radial, 120, 10}, "-radial-blur 30"},
        {"MotionBlur zoom", MotionBlurEffect{whole, MotionKind::Zoom, 120, 10}, nullptr},
        {"GlassTile", GlassTileEffect{}, nullptr},
        {"OilPaint 3", OilPaintEffect{whole, OilPaintMode::PerChannel, 3}, "-paint 3"},
        {"OilPaint 3 luminance", OilPaintEffect{whole, OilPaintMode::ByLuminance, 3}, "-paint 3"},
        {"OilPaint 100", OilPaintEffect{whole, OilPaintMode::PerChannel, 100}, nullptr},
        {"Ripple", RippleEffect{}, "-wave 5x24"},
        {"Waves", WavesEffect{}, "-wave 5x30"},
        {"Rotation 30", RotationEffect{whole, 30}, "-background black -rotate 30"},
        {"Rotation 90", RotationEffect{whole, 90}, "-rotate 90"},
        {"Mirror", RotationEffect{whole, 0, true}, "-flop"},
        {"Resize 50 %", ResizeEffect{whole, QSize(945, 295)}, "-resize 50%"},
        {"Resize 200 %", ResizeEffect{whole, QSize(3780, 1180)}, "-resize 200%"},
        {"AntiAlias", AntiAliasEffect{}, nullptr},
        {"YCCLevel", LevelEffect{whole, 40}, "-modulate 120"},
        {"YCCSpline", ContrastCurve(10), "-sigmoidal-contrast 3x50%"},
        {"SetGray", GrayEffect{}, "-colorspace Gray"},
        {"CutRectImage", RectangleCutEffect{QRect(100, 100, 800, 300)}, "-crop 800x300+100+100"},
        {"SelectImage", EllipseCutEffect{QRect(100, 50, 1600, 500)}, nullptr},
    };

    const QString convert = QStandardPaths::findExecutable(QStringLiteral("convert"));
    QTemporaryDir folder;
    QString input;
    double baseMs = 0;
    if (!convert.isEmpty() && folder.isValid()) {
        input = folder.filePath(QStringLiteral("panel.mpc"));
        const QString png = folder.filePath(QStringLiteral("panel.png"));
        photo.save(png);
        QProcess::execute(convert, {png, input});
        baseMs = MagickRunMs(convert, {input, QStringLiteral("null:")});
    }
    std::printf("Effects on %d x %d, medians of %d runs (ImageMagick: %d runs, %s, net of %.1f ms for reading)\n",
                photo.width(), photo.height(), kOwnRuns, kMagickRuns,
                convert.isEmpty() ? "not installed" : qPrintable(convert), baseMs);
    std::printf("%-22s %10s %8s %12s %8s  %s\n", "effect", "ours ms", "cpu ms", "magick ms", "ratio", "targets");
    int misses = 0;
    for (const Case &c : cases) {
        const bool picked = argc < 2 || std::any_of(argv + 1, argv + argc, [&](const char *prefix) {
            return std::strncmp(c.name, prefix, std::strlen(prefix)) == 0;
        });
        if (!picked)
            continue;
        const auto [own, ownCpu] = Own(photo, c.effect);
        std::optional<double> magick;
        if (c.magick && !input.isEmpty()) {
            QStringList arguments{input};
            arguments += QString::fromLatin1(c.magick).split(QLatin1Char(' '));
            arguments << QStringLiteral("null:");
            magick = std::max(0.0, MagickRunMs(convert, arguments) - baseMs);
        }
        const bool fastEnough = own < kTargetMs;
        const bool ratioMet = !magick || *magick >= kTargetRatio * own;
        misses += !fastEnough + !ratioMet;
        if (magick) {
            std::printf("%-22s %10.2f %8.2f %12.1f %7.1fx  %s%s  (%s)\n", c.name, own, ownCpu, *magick, *magick / own,
                        fastEnough ? "<50ms" : "SLOW", ratioMet ? "" : " RATIO", c.magick);
        } else {
            std::printf("%-22s %10.2f %8.2f %12s %8s  %s\n", c.name, own, ownCpu, "-", "-",
                        fastEnough ? "<50ms" : "SLOW");
        }
    }
    std::printf("%d target(s) missed\n", misses);
    return 0;
}
