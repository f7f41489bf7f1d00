// A panel file as the panel maker loads it. The pictures it may name live in
// a fixed folder the target fills on its first run, so the corpus can refer
// to them: KQ_PANEL_FUZZ_FOLDER/background.png, part.png.
#include "base/paths.h"
#include "panel/document/panel_document.h"
#include "panel/model/kit_model.h"
#include "panel/model/panel_record.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

const QString kFolder = QStringLiteral("/tmp/kq-panel-fuzz/");

void MakePictures()
{
    QDir().mkpath(kFolder + QStringLiteral("program/Img/Material/TL-1/BackImage"));
    QImage background(86, 106, QImage::Format_RGB32);
    background.fill(QColor(250, 240, 200));
    background.save(kFolder + QStringLiteral("background.png"), "PNG");
    // The default background of the model, read by content whatever its name.
    background.save(kFolder + QStringLiteral("program/Img/Material/TL-1/BackImage/1.gif"), "PNG");
    QImage part(20, 12, QImage::Format_RGB32);
    part.fill(Qt::white);
    part.setPixel(5, 5, qRgb(255, 0, 0));
    part.save(kFolder + QStringLiteral("part.png"), "PNG");
}

QGuiApplication &Application()
{
    // Text layers are rendered with Qt's fonts, which need a platform.
    static int argc = 1;
    static char name[] = "fuzz_panel_file";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    return app;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool ready = [] {
        Application();
        MakePictures();
        return true;
    }();
    (void)ready;
    static QTemporaryDir work;
    const kq::Paths paths(kFolder + QStringLiteral("program"), work.path());
    const QString file = work.filePath(QStringLiteral("panel.kq18"));
    {
        QFile input(file);
        if (!input.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        input.write(reinterpret_cast<const char *>(data), qint64(size));
    }

    kq::panel::PanelDocument document(kq::panel::KitModelAt(0), paths);
    const QStringList before = document.Records();
    const kq::panel::PanelFileResult loaded = document.Load(file);
    if (!loaded) {
        // A refused file changes nothing.
        if (document.Records() != before || document.LayerCount() != 0)
            std::abort();
        return 0;
    }
    const QStringList &records = document.Records();
    if (records.isEmpty() || kq::panel::KindOfRecord(records.first()) != kq::panel::RecordKind::Background
        || document.LayerCount() > 90)
        std::abort();
    // What loaded saves, and the saved file loads as the same panel.
    const QString again = work.filePath(QStringLiteral("again.kq18"));
    if (!document.Save(again))
        return 0;
    kq::panel::PanelDocument reloaded(kq::panel::KitModelAt(0), paths);
    if (!reloaded.Load(again) || reloaded.LayerCount() != document.LayerCount())
        std::abort();
    return 0;
}
