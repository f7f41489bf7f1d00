#include "learning/practice/practice_windows.h"

#include "learning/practice/flow_practice_window.h"
#include "learning/practice/icon_practice_window.h"
#include "learning/practice/text_practice_window.h"
#include "services/window_registry.h"

namespace kq {

void RegisterPracticeWindows(WindowRegistry &windows, StudioContext &context)
{
    windows.Register(WindowKind::IconPractice, WindowLifetime::PerOpening,
                     [&context] { return new IconPracticeWindow(context); });
    windows.Register(WindowKind::FlowchartPractice, WindowLifetime::PerOpening,
                     [&context] { return new FlowPracticeWindow(context); });
    windows.Register(WindowKind::TextPractice, WindowLifetime::PerOpening,
                     [&context] { return new TextPracticeWindow(context); });
}

}  // namespace kq
