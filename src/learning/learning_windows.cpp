#include "learning/learning_windows.h"

#include "context/studio_context.h"
#include "learning/report_window.h"
#include "learning/transfer_data_window.h"
#include "services/window_registry.h"

namespace kq {

void RegisterLearningWindows(WindowRegistry &windows, StudioContext &context)
{
    windows.Register(WindowKind::TransferData, WindowLifetime::Reused,
                     [&context] { return new TransferDataWindow(context.Paths()); });
    windows.Register(WindowKind::Report, WindowLifetime::Reused, [&context] { return new ReportWindow(context); });
}

}  // namespace kq
