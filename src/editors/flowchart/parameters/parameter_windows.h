#pragma once

namespace kq {

class WindowRegistry;

// The flowchart's parameter dialog, made once at start-up and reused.
void RegisterFlowchartParameterDialog(WindowRegistry &windows);

}  // namespace kq
