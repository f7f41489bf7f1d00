#pragma once

namespace kq {

class Launcher;
class RecoveryRestorers;
class RegisteredStepWindows;
class StudioContext;
class WindowRegistry;

// Registers the STEP3 window (opened from the main menu's picture and by step
// switches, made for each opening; its recovery copies come back in it) and
// the keyword settings window (opened from the menu's picture, made for each
// opening).
void RegisterTextEditor(RegisteredStepWindows &steps, StudioContext &context, WindowRegistry &windows,
                        Launcher &launcher, RecoveryRestorers &restorers);

}  // namespace kq
