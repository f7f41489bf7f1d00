#pragma once

namespace kq {

class StudioContext;
class WindowRegistry;

// The practice windows the main menu opens, one made per opening.
void RegisterPracticeWindows(WindowRegistry &windows, StudioContext &context);

}  // namespace kq
