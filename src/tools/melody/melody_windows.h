#pragma once

namespace kq {

class Launcher;
class RecoveryRestorers;
class StudioContext;
class WindowRegistry;

// The melody editor, opened from the main menu, and its note dialog, made at
// start-up and reused; the editor takes back the melody a crash left.
void RegisterMelodyWindows(WindowRegistry &windows, StudioContext &context, Launcher &launcher,
                           RecoveryRestorers &restorers);

}  // namespace kq
