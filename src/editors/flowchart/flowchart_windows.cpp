#include "editors/flowchart/flowchart_windows.h"

#include "editors/common/registered_step_windows.h"
#include "editors/common/step_recovery.h"
#include "editors/flowchart/flowchart_window.h"
#include "preview/preview_window.h"

namespace kq {

void RegisterFlowchartEditor(RegisteredStepWindows &steps, StudioContext &context, WindowRegistry &windows,
                             Launcher &launcher, RecoveryRestorers &restorers)
{
    steps.Register(Step::Flowchart, [&steps, &context, &windows, &launcher] {
        auto *window = new FlowchartWindow(context, windows, steps, launcher);
        QObject::connect(window, &FlowchartWindow::PreviewRequested, window,
                         [&windows, window](const ByteList &programBytes) {
                             ShowPreview(windows, window, programBytes);
                         });
        return window->Editor();
    });
    RegisterStepRestorer(restorers, context, steps, Step::Flowchart);
}

}  // namespace kq
