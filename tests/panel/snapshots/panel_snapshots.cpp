// Renders the panel maker's windows in typical states to PNG files so their
// look can be reviewed without a display:
//   panel_snapshots <data-tree> <output-folder>
#include "panel/document/panel_document.h"
#include "panel/effect_window/effect_window.h"
#include "base/recovery_store.h"
#include "panel/main_window/panel_recovery.h"
#include "panel/main_window/panel_window.h"
#include "panel/menu/picker_window.h"
#include "panel/menu/print_window.h"
#include "panel/menu/product_menu.h"
#include "panel/menu/splash_window.h"
#include "panel/progress/progress_window.h"
#include "panel/text/text_layer.h"
#include "panel/text_window/text_window.h"
#include "support/recording_dialogs.h"
#include "support/recording_launcher.h"

#include <QApplication>
#include <QDir>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <functional>

namespace {

using namespace kq::panel;

bool Save(QWidget &widget, const QString &folder, const QString &name)
{
    // Pending layout and scroll range updates first, as on screen.
    QCoreApplication::processEvents();
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (widget.grab().save(path))
        return true;
    std::fprintf(stderr, "panel_snapshots: cannot write %s\n", qPrintable(path));
    return false;
}

// Renders the modal dialog that `open` shows, then closes it.
bool SaveModal(const QString &folder, const QString &name, const std::function<void()> &open)
{
    bool saved = false;
    // A timer of this scope: if no dialog blocks in open(), it never fires.
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog) {
            std::fprintf(stderr, "panel_snapshots: no dialog for %s\n", qPrintable(name));
            return;
        }
        saved = Save(*dialog, folder, name);
        dialog->close();
    });
    timer.start(0);
    open();
    return saved;
}

// A panel file with the model's first part and a text layer above it.
QString MakePanelFile(const kq::Paths &panelPaths, int modelIndex, const QString &folder)
{
    const KitModel &model = KitModelAt(modelIndex);
    PanelDocument document(model, panelPaths);
    const QDir parts(panelPaths.ProgramFile(PartsFolder(model)));
    const QStringList files = parts.entryList({QStringLiteral("*.gif")}, QDir::Files, QDir::Name);
    if (files.isEmpty()
        || !document.AddPart(parts.filePath(files.first()),
                             {model.panelSize.width() / 8, model.panelSize.height() / 6}))
        std::fprintf(stderr, "panel_snapshots: no part for %s\n", qPrintable(model.code));
    TextRecord text;
    text.description = {
        QStringLiteral("たのしい時計"), kDefaultTextFace, QColor(0x1d, 0x4e, 0x9e), 16, true, false, Qt::white};
    text.measured = MeasureText(text.description);
    text.transparent = true;
    if (!document.AddText(text))
        std::fprintf(stderr, "panel_snapshots: no text for %s\n", qPrintable(model.code));
    const QString path = QDir(folder).filePath(model.code + QStringLiteral(".kq18"));
    if (!document.Save(path))
        std::fprintf(stderr, "panel_snapshots: cannot save %s\n", qPrintable(path));
    return path;
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fputs("usage: panel_snapshots <data-tree> <output-folder>\n", stderr);
        return 2;
    }
    const QString out = args[2];
    QDir().mkpath(out);

    QTemporaryDir temp;
    const kq::Paths studioPaths(args[1], temp.path());
    const kq::Paths panelPaths(studioPaths.PanelProgramFolder(), temp.path());
    kq::testing::RecordingDialogs dialogs;
    kq::testing::RecordingLauncher launcher;

    SplashWindow splash(panelPaths);
    splash.show();
    bool saved = Save(splash, out, QStringLiteral("splash"));
    ProductMenu menu(panelPaths);
    menu.show();
    saved = Save(menu, out, QStringLiteral("product_menu")) && saved;
    menu.hide();

    kq::RecoveryStore recovery(PanelRecoveryFolder(panelPaths));
    PanelWindow window(dialogs, launcher, panelPaths, recovery);
    for (const auto &[modelIndex, name] :
         {std::pair {0, QStringLiteral("tall")}, std::pair {2, QStringLiteral("wide")}}) {
        window.ShowForModel(modelIndex);
        saved = Save(window, out, name + QStringLiteral("_empty")) && saved;

        dialogs.fileNames.enqueue(MakePanelFile(panelPaths, modelIndex, temp.path()));
        window.findChild<QToolButton *>(QStringLiteral("ReadBtn"))->click();
        auto *layers = window.findChild<QListWidget *>(QStringLiteral("LayerList"));
        layers->setCurrentRow(1);
        saved = Save(window, out, name + QStringLiteral("_part_selected")) && saved;
        layers->setCurrentRow(0);
        saved = Save(window, out, name + QStringLiteral("_text_selected")) && saved;

        window.ShowPage(PanelWindow::Page::Preview);
        saved = Save(window, out, name + QStringLiteral("_preview")) && saved;
        window.ShowPage(PanelWindow::Page::Product);
        saved = Save(window, out, name + QStringLiteral("_product")) && saved;
        window.ShowPage(PanelWindow::Page::Design);
    }

    // A camera's photo, far larger than the panel, arrives fitted to it.
    {
        QImage photo(4000, 3000, QImage::Format_RGB32);
        QPainter painter(&photo);
        QLinearGradient sky(0, 0, 0, photo.height());
        sky.setColorAt(0, QColor(0x3a, 0x7b, 0xd5));
        sky.setColorAt(1, QColor(0xf7, 0xd7, 0x94));
        painter.fillRect(photo.rect(), sky);
        painter.setBrush(QColor(0xf9, 0x6e, 0x2a));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPoint(2800, 1100), 500, 500);
        painter.setBrush(QColor(0x2e, 0x5e, 0x2b));
        painter.drawRect(0, 2300, 4000, 700);
        painter.end();
        const QString path = QDir(temp.path()).filePath(QStringLiteral("camera.jpg"));
        if (!photo.save(path, "JPEG", 90)) {
            std::fprintf(stderr, "panel_snapshots: cannot write %s\n", qPrintable(path));
            saved = false;
        }
        window.ShowForModel(0);
        dialogs.fileNames.enqueue(path);
        window.findChild<QToolButton *>(QStringLiteral("AddPicture"))->click();
        window.findChild<QListWidget *>(QStringLiteral("LayerList"))->setCurrentRow(0);
        saved = Save(window, out, QStringLiteral("tall_camera_photo_fitted")) && saved;
    }

    // The windows the main window opens.
    TextWindow text(dialogs, panelPaths);
    text.OpenForNew();
    saved = Save(text, out, QStringLiteral("text_window")) && saved;
    text.close();

    // Without its pictures the window still works, with plain buttons.
    {
        const kq::Paths missing(temp.path() + QStringLiteral("/nothing/"), temp.path());
        PanelWindow bare(dialogs, launcher, missing, recovery);
        bare.ShowForModel(0);
        saved = Save(bare, out, QStringLiteral("tall_without_pictures")) && saved;
    }

    const KitModel &model = KitModelAt(0);
    window.ShowForModel(model.index);
    const QImage flattened = window.Document().Flatten(true);
    window.hide();
    ProgressWindow progress;
    EffectWindow effects(dialogs, progress);
    for (const auto &[page, name] : {std::pair {EffectPage::Blur, QStringLiteral("effect_blur")},
                                     std::pair {EffectPage::Resize, QStringLiteral("effect_resize")},
                                     std::pair {EffectPage::Brightness, QStringLiteral("effect_brightness")}}) {
        saved = SaveModal(out, name, [&, page = page] { (void)effects.Run(page, flattened, {}, Qt::black); }) && saved;
    }
    PickerWindow picker;
    saved = SaveModal(out, QStringLiteral("picker_parts"),
                      [&] { (void)picker.Pick(panelPaths.ProgramFile(PartsFolder(model))); })
        && saved;
    PrintWindow print(dialogs, panelPaths);
    saved = SaveModal(out, QStringLiteral("print_window"), [&] { print.Open(flattened, model); }) && saved;

    std::fprintf(stderr, "panel_snapshots: %s\n", saved ? "done" : "some pictures failed");
    return saved ? 0 : 1;
}
