#include "learning/learning_windows.h"

#include "learning/transfer_data_window.h"
#include "services/window_registry.h"

namespace kq {

void RegisterLearningWindows(WindowRegistry &windows, const Paths &paths)
{
    windows.Register(WindowKind::TransferData, WindowLifetime::Reused,
                     [&paths] { return new TransferDataWindow(paths); });
}

}  // namespace kq
