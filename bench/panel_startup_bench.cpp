// The panel maker's start: from entering main-like code (before the
// QApplication exists) to the product menu's first paint, then from choosing
// a kit model to the first paint of the panel window's design canvas, over
// several runs in this process, and the resident memory with the panel
// window on screen.
#include "bench_figures.h"
#include "base/paths.h"
#include "base/recovery_store.h"
#include "panel/main_window/panel_recovery.h"
#include "panel/main_window/panel_window.h"
#include "panel/menu/product_menu.h"
#include "panel/menu/splash_window.h"
#include "services/dialogs.h"
#include "services/launcher.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <functional>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

using kq::bench::Median;
using kq::bench::MedianMs;
using kq::bench::ProcessCpuMs;
using kq::bench::ResidentKilobytes;

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 9;
constexpr int kWideModel = 2;  // the largest panel, TL-3

// Notes the first paint of a widget and then runs next.
class FirstPaint final : public QObject {
public:
    FirstPaint(QWidget &watched, std::function<void()> next) : m_next(std::move(next))
    {
        watched.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !painted) {
            painted = Clock::now();
            QTimer::singleShot(0, watched, m_next);
        }
        return QObject::eventFilter(watched, event);
    }

    std::optional<Clock::time_point> painted;

private:
    std::function<void()> m_next;
};

struct Run {
    double menuMilliseconds = -1;
    double windowMilliseconds = -1;
    long residentKb = -1;
};

Run StartOnce(int argc, char *argv[])
{
    const Clock::time_point start = Clock::now();
    QApplication app(argc, argv);
    kq::QtDialogs dialogs;
    kq::DesktopLauncher launcher;
    // The installed data tree, but a temporary user folder: no hand-over.
    QTemporaryDir appData;
    const kq::Paths paths(kq::Paths::ForInstalledProgram().ProgramFolder(), appData.path());
    const kq::Paths panelPaths(paths.PanelProgramFolder(), paths.AppDataFolder());

    auto splash = std::make_unique<kq::panel::SplashWindow>(panelPaths);
    splash->ShowNow();
    kq::panel::ProductMenu menu(panelPaths);
    kq::RecoveryStore recovery(kq::panel::PanelRecoveryFolder(panelPaths));
    kq::panel::PanelWindow window(dialogs, launcher, panelPaths, recovery);
    QObject::connect(&menu, &kq::panel::ProductMenu::ModelChosen, &window, &kq::panel::PanelWindow::ShowForModel);

    Run run;
    Clock::time_point chosen;
    auto *canvas = window.findChild<QWidget *>(QStringLiteral("DesignCanvas"));
    FirstPaint windowPainted(*canvas, [&] {
        run.residentKb = ResidentKilobytes();
        // Ends this run's loop at once: quit() would first ask the windows.
        QCoreApplication::exit(0);
    });
    FirstPaint menuPainted(menu, [&] {
        chosen = Clock::now();
        menu.Choose(kWideModel);
    });
    splash.reset();
    menu.show();
    app.exec();
    if (!menuPainted.painted || !windowPainted.painted)
        return run;
    run.menuMilliseconds = std::chrono::duration<double, std::milli>(*menuPainted.painted - start).count();
    run.windowMilliseconds = std::chrono::duration<double, std::milli>(*windowPainted.painted - chosen).count();
    return run;
}

}  // namespace

int main(int argc, char *argv[])
{
    std::vector<Run> runs;
    for (int i = 0; i < kRuns; ++i)
        runs.push_back(StartOnce(argc, argv));
    if (std::any_of(runs.begin(), runs.end(), [](const Run &run) { return run.windowMilliseconds < 0; })) {
        std::fputs("bench_panel_startup: the menu or the panel window was never painted\n", stderr);
        return 1;
    }
    std::vector<double> menu;
    std::vector<double> window;
    for (const Run &run : runs) {
        menu.push_back(run.menuMilliseconds);
        window.push_back(run.windowMilliseconds);
    }
    std::printf("bench_panel_startup: %d runs in one process\n", kRuns);
    std::printf("  main() to first paint of the product menu: first run %.1f ms, median %.1f ms\n", menu.front(),
                Median(menu));
    std::printf("  a model chosen to first paint of the design canvas (TL-3): first run %.1f ms, median %.1f ms\n",
                window.front(), Median(window));
    std::printf("  resident memory with the panel window shown: %.1f MB\n", runs.back().residentKb / 1024.0);
    return 0;
}
