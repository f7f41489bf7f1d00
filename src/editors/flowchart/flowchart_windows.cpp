#include "editors/flowchart/flowchart_windows.h"

#include "editors/common/registered_step_windows.h"
#include "editors/common/step_recovery.h"
#include "editors/flowchart/flowchart_window.h"

namespace kq {

void RegisterFlowchartEditor(RegisteredStepWindows &steps, StudioContext &context, WindowRegistry &windows,
                             Launcher &launcher, RecoveryRestorers &restorers)
{
    steps.Register(Step::Flowchart, [&steps, &context, &windows, &launcher] {
        return (new FlowchartWindow(context, windows, steps, launcher))->Editor();
    });
    RegisterStepRestorer(restorers, context, steps, Step::Flowchart);
}

}  // namespace kq
