#include "editors/text/text_windows.h"

#include "editors/common/registered_step_windows.h"
#include "editors/common/step_recovery.h"
#include "editors/text/keyword_settings_window.h"
#include "editors/text/text_window.h"
#include "services/window_registry.h"

namespace kq {

void RegisterTextEditor(RegisteredStepWindows &steps, StudioContext &context, WindowRegistry &windows,
                        Launcher &launcher, RecoveryRestorers &restorers)
{
    steps.Register(Step::Text, [&steps, &context, &windows, &launcher] {
        return (new TextWindow(context, windows, steps, launcher))->Editor();
    });
    RegisterStepRestorer(restorers, context, steps, Step::Text);
    windows.Register(WindowKind::KeywordSettings, WindowLifetime::PerOpening,
                     [&context] { return new KeywordSettingsWindow(context); });
}

}  // namespace kq
