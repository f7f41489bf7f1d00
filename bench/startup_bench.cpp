// Start-up to the main menu: the time from entering main-like code (before
// the QApplication exists) to the menu's first paint, over several runs in
// this process, and the resident memory with the menu on screen.
#include "bench_figures.h"
#include "context/studio_context.h"
#include "services/dialogs.h"
#include "device/hidapi_backend.h"
#include "base/paths.h"
#include "base/waiter.h"
#include "services/launcher.h"
#include "shell/main_menu.h"
#include "shell/studio_app.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <optional>
#include <cstdio>
#include <vector>

namespace {

using kq::bench::Median;
using kq::bench::MedianMs;
using kq::bench::ProcessCpuMs;
using kq::bench::ResidentKilobytes;

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 9;

// Notes the first paint of the menu's start page, then closes the menu,
// which ends the run's event loop.
class FirstPaint final : public QObject {
public:
    FirstPaint(QWidget &menu, QWidget &page) : m_menu(menu) { page.installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !painted) {
            painted = Clock::now();
            residentKb = ResidentKilobytes();
            QTimer::singleShot(0, &m_menu, &QWidget::close);
        }
        return QObject::eventFilter(watched, event);
    }

    std::optional<Clock::time_point> painted;
    long residentKb = -1;

private:
    QWidget &m_menu;
};

struct Run {
    double milliseconds;
    long residentKb;
};

Run StartOnce(int argc, char *argv[])
{
    const Clock::time_point start = Clock::now();
    QApplication app(argc, argv);
    kq::QtDialogs dialogs;
    kq::EventLoopWaiter waiter;
    // The installed data tree, but temporary user folders: closing the menu
    // deletes the hand-over file there.
    QTemporaryDir appData;
    kq::HidapiBackend hid;
    kq::StudioContext context(dialogs, waiter,
                              kq::Paths(kq::Paths::ForInstalledProgram().ProgramFolder(), appData.path()), hid);
    kq::DesktopLauncher launcher;
    kq::StudioApp studio(context, launcher, QString());
    studio.Start();
    FirstPaint watcher(studio.Menu(), *studio.Menu().findChild<QWidget *>(QStringLiteral("TabSheet1")));
    app.exec();
    if (!watcher.painted)
        return {-1, -1};
    return {std::chrono::duration<double, std::milli>(*watcher.painted - start).count(), watcher.residentKb};
}

}  // namespace

int main(int argc, char *argv[])
{
    std::vector<Run> runs;
    for (int i = 0; i < kRuns; ++i)
        runs.push_back(StartOnce(argc, argv));
    if (std::any_of(runs.begin(), runs.end(), [](const Run &run) { return run.milliseconds < 0; })) {
        std::fputs("bench_startup: the main menu was never painted\n", stderr);
        return 1;
    }

    std::vector<double> times;
    for (const Run &run : runs)
        times.push_back(run.milliseconds);
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("bench_startup: main() to first paint of the main menu, %d runs in one process\n", kRuns);
    std::printf("  first run %.1f ms, median %.1f ms, fastest %.1f ms, slowest %.1f ms (target < 400 ms)\n",
                times.front(), sorted[sorted.size() / 2], sorted.front(), sorted.back());
    std::printf("  resident memory with the menu shown: first run %.1f MB, last run %.1f MB (target < 120 MB)\n",
                runs.front().residentKb / 1024.0, runs.back().residentKb / 1024.0);
    return 0;
}
