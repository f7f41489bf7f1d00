// The panel document's file and flattening on a full wide panel: saving and
// loading a panel of 20 photo layers (each a noisy 800 x 600 picture, the
// JPEG work dominating), and flattening it with part layers and the frame
// overlay. Medians over several runs, in milliseconds.
#include "bench_figures.h"
#include "base/paths.h"
#include "panel/document/panel_document.h"
#include "panel/model/kit_model.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using kq::bench::Median;
using kq::bench::MedianMs;
using kq::bench::ProcessCpuMs;
using kq::bench::ResidentKilobytes;

using kq::panel::PanelDocument;

constexpr int kPhotos = 20;
constexpr int kParts = 20;
constexpr int kFileRuns = 5;
constexpr int kFlattenRuns = 31;

QImage Photo(QSize size, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int noise = int(random.bounded(40));
            line[x] = qRgb((x / 4 + noise) % 256, (y / 3 + noise) % 256, (x + y + int(seed) * 30) % 256);
        }
    }
    return image;
}

QImage Filled(QSize size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QString Save(const QImage &image, const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    if (!image.save(path, "PNG"))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return path;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const kq::Paths panelPaths(dir.path() + QStringLiteral("/program"), dir.path() + QStringLiteral("/appdata"));
    const kq::panel::KitModel &model = kq::panel::KitModelAt(2);  // TL-3, 1890 x 590

    Save(Photo(model.panelSize, 99), panelPaths.ProgramFile(kq::panel::DefaultBackground(model)));
    QImage overlay = Filled(model.panelSize, Qt::black);
    for (int y = 0; y < overlay.height(); ++y) {
        for (int x = 0; x < 40; ++x) {
            overlay.setPixel(x, y, qRgb(90, 60, 30));
            overlay.setPixel(overlay.width() - 1 - x, y, qRgb(90, 60, 30));
        }
    }
    Save(overlay, panelPaths.ProgramFile(kq::panel::FrameOverlay(model)));

    PanelDocument document(model, panelPaths);
    for (int i = 0; i < kPhotos; ++i) {
        const QString photo =
            Save(Photo(QSize(800, 600), quint32(i)), dir.path() + QStringLiteral("/photo%1.png").arg(i));
        if (!document.AddPhoto(photo))
            return 1;
        document.NudgeLayer(i, QPoint(i * 50, i * 2));
        if (i % 2)
            document.SetTransparency(i, true, QColor(Qt::white));
    }
    const QString file = dir.path() + QStringLiteral("/panel.kq18");
    const double save = MedianMs(kFileRuns, [&] {
        if (!document.Save(file))
            std::fprintf(stderr, "save failed\n");
    });
    PanelDocument loaded(model, panelPaths);
    const double load = MedianMs(kFileRuns, [&] {
        if (!loaded.Load(file))
            std::fprintf(stderr, "load failed\n");
    });
    std::printf("panel file, %d photo layers of 800 x 600 (%.1f MB): save %.1f ms, load %.1f ms (target < 1000 each)\n",
                kPhotos, QFileInfo(file).size() / 1e6, save, load);

    // The full panel: the photos and 20 parts with a colour key over them.
    QImage part = Filled(QSize(200, 160), Qt::white);
    for (int y = 20; y < 140; ++y) {
        for (int x = 30; x < 170; ++x)
            part.setPixel(x, y, qRgb(250, 200, 0));
    }
    const QString partPath = Save(part, dir.path() + QStringLiteral("/part.png"));
    for (int i = 0; i < kParts; ++i) {
        if (!loaded.AddPart(partPath, QPoint(i * 90, (i % 3) * 200)))
            return 1;
    }
    const double flatten = MedianMs(kFlattenRuns, [&] {
        if (loaded.Flatten(true).isNull())
            std::fprintf(stderr, "flatten failed\n");
    });
    std::printf("flatten TL-3 1890 x 590, %d layers with the overlay: %.2f ms (target < 20)\n", loaded.LayerCount(),
                flatten);
    return 0;
}
