#include "learning/learning_windows.h"

#include "context/studio_context.h"
#include "learning/report_window.h"
#include "learning/transfer_data_window.h"
#include "services/recovery_offer.h"
#include "services/window_registry.h"

namespace kq {

void RegisterLearningWindows(WindowRegistry &windows, StudioContext &context, RecoveryRestorers &restorers)
{
    windows.Register(WindowKind::TransferData, WindowLifetime::Reused,
                     [&context] { return new TransferDataWindow(context.Paths()); });
    windows.Register(WindowKind::Report, WindowLifetime::Reused, [&context] { return new ReportWindow(context); });
    // The window is made at start and stays hidden: the fields wait there
    // for the next report.
    restorers.Register(kReportRecoveryWindow, kReportRecoveryCaption, [&windows](const RecoveryCopy &copy) {
        auto *report = qobject_cast<ReportWindow *>(windows.Made(WindowKind::Report));
        return report && report->Restore(copy);
    });
}

}  // namespace kq
