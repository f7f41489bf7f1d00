#pragma once

namespace kq {

class Launcher;
class RegisteredStepWindows;
class StudioContext;
class WindowRegistry;

// Registers the STEP2 window: opened from the main menu's picture and by
// step switches, made for each opening.
void RegisterFlowchartEditor(RegisteredStepWindows &steps, StudioContext &context, WindowRegistry &windows,
                             Launcher &launcher);

}  // namespace kq
