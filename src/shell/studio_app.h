#pragma once

#include <QString>

#include <memory>

namespace kq {

class DeviceLink;
class HidBackend;
class Launcher;
class MainMenu;
class Splash;
class StudioContext;
class StudioStepWindows;
class TransferProgressWindow;
class WindowRegistry;

// The studio's start-up order and what the main menu's choices do. Made
// once by main() (or by a test or the benchmark) after the QApplication.
class StudioApp {
public:
    // panelMaker is the panel maker's executable, installed beside the studio's;
    // hid is where the clock is looked for (hidapi, or a virtual clock).
    StudioApp(StudioContext &context, Launcher &launcher, HidBackend &hid, QString panelMaker);
    ~StudioApp();

    // Splash, main menu, the windows made hidden at start, then the menu on
    // its first page. The splash goes when the event loop starts; closing the
    // menu quits the event loop.
    void Start();

    // Valid after Start().
    MainMenu &menu() const { return *m_menu; }
    WindowRegistry &windows() const { return *m_windows; }
    DeviceLink &deviceLink() const { return *m_deviceLink; }
    // The step editors' windows, registered here and used by step switches.
    StudioStepWindows &steps() const { return *m_steps; }

private:
    void ConnectMenu();
    void CreateDeviceLink();
    void StartPanelMakerAndEnd();

    StudioContext &m_context;
    Launcher &m_launcher;
    HidBackend &m_hid;
    QString m_panelMaker;
    std::unique_ptr<Splash> m_splash;
    std::unique_ptr<MainMenu> m_menu;
    // The link outlives every window that may still talk to the clock.
    std::unique_ptr<TransferProgressWindow> m_progressWindow;
    std::unique_ptr<DeviceLink> m_deviceLink;
    // Declared after the menu so that it goes first: it destroys the open
    // windows while the menu they return to still exists.
    std::unique_ptr<WindowRegistry> m_windows;
    std::unique_ptr<StudioStepWindows> m_steps;
};

}  // namespace kq
