#include "editors/flowchart/parameters/parameter_windows.h"

#include "editors/flowchart/parameters/parameter_controls.h"
#include "services/window_registry.h"

namespace kq {

void RegisterFlowchartParameterDialog(WindowRegistry &windows)
{
    windows.Register(WindowKind::ParameterDialog, WindowLifetime::Reused, [] { return new ParameterDialog; });
}

}  // namespace kq
