#include "shell/studio_app.h"

#include "context/studio_context.h"
#include "controls/transfer_progress_window.h"
#include "editors/common/program_file_commands.h"
#include "editors/common/registered_step_windows.h"
#include "editors/flowchart/flowchart_windows.h"
#include "editors/flowchart/parameters/parameter_windows.h"
#include "editors/icon/icon_windows.h"
#include "editors/text/keyword_settings_recovery.h"
#include "editors/text/text_windows.h"
#include "learning/learning_windows.h"
#include "learning/practice/practice_windows.h"
#include "preview/preview_windows.h"
#include "services/dialogs.h"
#include "services/help.h"
#include "services/window_registry.h"
#include "shell/file_window.h"
#include "shell/main_menu.h"
#include "shell/panel_maker_start.h"
#include "shell/splash.h"
#include "tools/control/control_tool_windows.h"
#include "tools/melody/melody_window.h"
#include "tools/melody/melody_windows.h"

#include <QApplication>
#include <QTimer>

namespace kq {

namespace {

Step StepOfEditor(WindowKind editor)
{
    switch (editor) {
    case WindowKind::IconEditor:
        return Step::Icons;
    case WindowKind::TextEditor:
        return Step::Text;
    default:
        return Step::Flowchart;
    }
}

}  // namespace

StudioApp::StudioApp(StudioContext &context, Launcher &launcher, QString panelMaker)
    : m_context(context), m_launcher(launcher), m_panelMaker(std::move(panelMaker))
{
}

StudioApp::~StudioApp()
{
    // The windows go first (they may unregister from the link, which the
    // context keeps), then the progress window the link drives.
    m_steps.reset();
    m_windows.reset();
    m_context.DeviceLink().SetProgressDisplay(nullptr);
    m_context.DeviceLink().SetMessageParent(nullptr);
}

void StudioApp::Start()
{
    m_splash = std::make_unique<Splash>(m_context.Paths());
    m_splash->ShowNow();

    m_menu = std::make_unique<MainMenu>(m_context);
    m_windows = std::make_unique<WindowRegistry>(*m_menu, [this] { return m_context.StepSwitch().underWay; });
    m_steps = std::make_unique<RegisteredStepWindows>(*m_windows);
    ConnectMenu();
    RegisterWindows();

    // The windows that exist from start to end are made here, hidden, while
    // the splash is on screen, in the order their folders registered them.
    m_progressWindow = std::make_unique<TransferProgressWindow>();
    m_context.DeviceLink().SetProgressDisplay(m_progressWindow.get());
    m_context.DeviceLink().SetMessageParent(m_menu.get());
    m_windows->CreateReusedWindows();

    m_context.Recovery().SetFailureNotice([this] {
        QWidget *window = QApplication::activeWindow();
        m_context.Dialogs().Notice(window ? window : m_menu.get(), RecoveryWriteFailedMessage());
    });

    m_menu->ShowPage(MainMenu::Page::Start);
    m_menu->show();
    QTimer::singleShot(0, m_menu.get(), [this] {
        m_splash.reset();
        // Before the pupil can use the menu, and before the clock's
        // messages, which may wait for an answer.
        OfferAbandonedWork();
        StartDeviceLink();
    });
}

void StudioApp::OfferAbandonedWork()
{
    kq::OfferAbandonedWork(m_context.Recovery(), m_context.Dialogs(), m_menu.get(), m_restorers);
}

void StudioApp::OpenFile(const QString &path)
{
    // The windows are opened from the studio's page, where the menu returns.
    m_menu->ShowPage(MainMenu::Page::Studio);
    const WindowKind kind = FileWindowKind(path);
    QWidget *window = nullptr;
    bool opened = false;
    if (kind == WindowKind::MelodyEditor) {
        auto *melody = qobject_cast<MelodyWindow *>(m_windows->OpenFromMenu(kind));
        window = melody;
        opened = melody && melody->OpenDropped({path});
    } else {
        if (const StepEditor editor = m_steps->ShowStep(StepOfEditor(kind))) {
            window = editor.host->DialogParent();
            opened = OpenDroppedProgramFiles(m_context, *editor.document, *editor.host, {path}) == OpenResult::Opened;
        }
    }
    // Hiding, unlike closing, asks nothing about what a refused file may
    // have left half loaded; the window leaves and the menu comes back.
    if (window && !opened)
        window->hide();
}

void StudioApp::RegisterWindows()
{
    // The reused windows are made in this order: simulator, parameter
    // dialog, transfer data viewer, report window, note dialog, clock setting.
    RegisterPreviewWindow(*m_windows, m_context);
    RegisterFlowchartParameterDialog(*m_windows);
    RegisterLearningWindows(*m_windows, m_context, m_restorers);
    RegisterMelodyWindows(*m_windows, m_context, m_launcher, m_restorers);
    RegisterControlToolWindows(*m_windows, m_context);
    RegisterIconEditor(*m_steps, m_context, *m_windows, m_launcher, m_restorers);
    RegisterFlowchartEditor(*m_steps, m_context, *m_windows, m_launcher, m_restorers);
    RegisterTextEditor(*m_steps, m_context, *m_windows, m_launcher, m_restorers);
    RegisterPracticeWindows(*m_windows, m_context);
    RegisterKeywordSettingsRecovery(m_restorers, *m_windows);
}

void StudioApp::ConnectMenu()
{
    // Windows hide the menu while they are open, so the last visible window
    // closing is no reason to end; only the menu's closing is.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(m_menu.get(), &MainMenu::Closed, qApp, &QCoreApplication::quit);

    QObject::connect(m_menu.get(), &MainMenu::WindowRequested, m_windows.get(),
                     [this](WindowKind kind) { m_windows->OpenFromMenu(kind); });
    QObject::connect(m_menu.get(), &MainMenu::HelpRequested, m_menu.get(),
                     [this] { OpenHelp(m_context.Paths(), m_launcher, kGeneralHelpPage); });
    QObject::connect(m_menu.get(), &MainMenu::PanelMakerRequested, m_menu.get(),
                     [this] { StartPanelMakerAndEnd(); });
}

void StudioApp::StartDeviceLink()
{
    // Its messages about the clocks found are shown over the menu, which is
    // on screen by now and no splash covers.
    m_context.DeviceLink().Start();
}

void StudioApp::StartPanelMakerAndEnd()
{
    StartPanelMaker(m_context.Paths(), m_context.Waiter(), m_launcher, m_panelMaker);
    m_menu->close();
}

}  // namespace kq
