#include "editors/icon/icon_windows.h"

#include "editors/common/registered_step_windows.h"
#include "editors/common/step_recovery.h"
#include "editors/icon/icon_window.h"

namespace kq {

void RegisterIconEditor(RegisteredStepWindows &steps, StudioContext &context, WindowRegistry &windows,
                        Launcher &launcher, RecoveryRestorers &restorers)
{
    steps.Register(Step::Icons, [&steps, &context, &windows, &launcher] {
        return (new IconWindow(context, windows, steps, launcher))->Editor();
    });
    RegisterStepRestorer(restorers, context, steps, Step::Icons);
}

}  // namespace kq
