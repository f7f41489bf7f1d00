#include "shell/studio_app.h"

#include "context/studio_context.h"
#include "device/device_link.h"
#include "controls/transfer_progress_window.h"
#include "services/help.h"
#include "shell/main_menu.h"
#include "shell/panel_maker_start.h"
#include "shell/splash.h"
#include "shell/studio_step_windows.h"
#include "shell/window_registry.h"

#include <QApplication>
#include <QTimer>

namespace kq {

StudioApp::StudioApp(StudioContext &context, Launcher &launcher, HidBackend &hid, QString panelMaker)
    : m_context(context), m_launcher(launcher), m_hid(hid), m_panelMaker(std::move(panelMaker))
{
}

StudioApp::~StudioApp()
{
    // The windows go first (they may unregister from the link), then the
    // link; the context outlives both and must not point at a dead link.
    m_steps.reset();
    m_windows.reset();
    if (m_deviceLink)
        m_context.setDeviceLink(nullptr);
}

void StudioApp::Start()
{
    m_splash = std::make_unique<Splash>(m_context.paths());
    m_splash->ShowNow();

    m_menu = std::make_unique<MainMenu>(m_context);
    m_windows = std::make_unique<WindowRegistry>(*m_menu, m_context.stepSwitch());
    m_steps = std::make_unique<StudioStepWindows>(*m_windows);
    ConnectMenu();

    // The windows that exist from start to end are made here, hidden, while
    // the splash is on screen, in this order: simulator, flowchart parameter
    // dialog, device link, transfer data viewer, report window, note dialog,
    // clock setting. The windows the menu opens on demand are registered here
    // too (windows().Register, and the step editors through steps()).
    CreateDeviceLink();

    m_menu->ShowPage(MainMenu::Page::Start);
    m_menu->show();
    QTimer::singleShot(0, m_menu.get(), [this] { m_splash.reset(); });
}

void StudioApp::ConnectMenu()
{
    // Windows hide the menu while they are open, so the last visible window
    // closing is no reason to end; only the menu's closing is.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(m_menu.get(), &MainMenu::closed, qApp, &QCoreApplication::quit);

    QObject::connect(m_menu.get(), &MainMenu::windowRequested, m_windows.get(),
                     [this](WindowKind kind) { m_windows->Open(kind); });
    QObject::connect(m_menu.get(), &MainMenu::helpRequested, m_menu.get(),
                     [this] { OpenHelp(m_context.paths(), m_launcher, kGeneralHelpPage); });
    QObject::connect(m_menu.get(), &MainMenu::panelMakerRequested, m_menu.get(),
                     [this] { StartPanelMakerAndEnd(); });
}

void StudioApp::CreateDeviceLink()
{
    m_progressWindow = std::make_unique<TransferProgressWindow>();
    m_deviceLink = std::make_unique<DeviceLink>(m_hid, m_context);
    m_deviceLink->setProgressDisplay(m_progressWindow.get());
    m_deviceLink->setMessageParent(m_menu.get());
    m_context.setDeviceLink(m_deviceLink.get());
    m_deviceLink->Start();
}

void StudioApp::StartPanelMakerAndEnd()
{
    StartPanelMaker(m_context.paths(), m_context.waiter(), m_launcher, m_panelMaker);
    m_menu->close();
}

}  // namespace kq
