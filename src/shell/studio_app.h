#pragma once

#include "services/recovery_offer.h"

#include <QString>

#include <memory>

namespace kq {

class Launcher;
class MainMenu;
class RegisteredStepWindows;
class Splash;
class StudioContext;
class TransferProgressWindow;
class WindowRegistry;

// The studio's start-up order and what the main menu's choices do. Made
// once by main() (or by a test or the benchmark) after the QApplication.
class StudioApp {
public:
    // panelMaker is the panel maker's executable, installed beside the studio's.
    StudioApp(StudioContext &context, Launcher &launcher, QString panelMaker);
    ~StudioApp();

    // Splash, main menu, the windows made hidden at start, then the menu on
    // its first page. The splash goes when the event loop starts; then the
    // device link looks for the clock, so its messages stand over the menu.
    // Closing the menu quits the event loop.
    void Start();
    // A file given at start: opened in the window of its kind as if that
    // window had been opened from the menu and the file from its open
    // command (caption, unsaved-work question). When the window refuses the
    // file, its message is shown and the pupil is back at the menu.
    void OpenFile(const QString &path);

    // Valid after Start().
    MainMenu &Menu() const { return *m_menu; }
    WindowRegistry &Windows() const { return *m_windows; }
    // The step editors' windows, registered here and used by step switches.
    RegisteredStepWindows &Steps() const { return *m_steps; }
    // The windows that take back the work a program that ended without
    // closing left; each folder registers its own.
    RecoveryRestorers &Restorers() { return m_restorers; }
    // Offers that work back, once, over the menu (Start() does it when the
    // event loop runs).
    void OfferAbandonedWork();

private:
    void ConnectMenu();
    void RegisterWindows();
    void StartDeviceLink();
    void StartPanelMakerAndEnd();

    StudioContext &m_context;
    Launcher &m_launcher;
    QString m_panelMaker;
    std::unique_ptr<Splash> m_splash;
    std::unique_ptr<MainMenu> m_menu;
    std::unique_ptr<TransferProgressWindow> m_progressWindow;
    // Declared after the menu so that it goes first: it destroys the open
    // windows while the menu they return to still exists.
    std::unique_ptr<WindowRegistry> m_windows;
    std::unique_ptr<RegisteredStepWindows> m_steps;
    RecoveryRestorers m_restorers;
};

}  // namespace kq
