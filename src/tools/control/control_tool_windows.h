#pragma once

namespace kq {

class StudioContext;
class WindowRegistry;

// The thermometer, the clock setting and the train controller.
void RegisterControlToolWindows(WindowRegistry &windows, StudioContext &context);

}  // namespace kq
