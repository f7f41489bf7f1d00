#include "preview/preview_windows.h"

#include "preview/preview_window.h"
#include "services/window_registry.h"

namespace kq {

void RegisterPreviewWindow(WindowRegistry &windows, StudioContext &context)
{
    windows.Register(WindowKind::Preview, WindowLifetime::Reused, [&context] { return new PreviewWindow(context); });
}

}  // namespace kq
