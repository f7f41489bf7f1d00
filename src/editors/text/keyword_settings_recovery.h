#pragma once

namespace kq {

class RecoveryRestorers;
class WindowRegistry;

// The keyword settings window takes back the texts a crash left unapplied:
// it opens from the menu with them.
void RegisterKeywordSettingsRecovery(RecoveryRestorers &restorers, WindowRegistry &windows);

}  // namespace kq
