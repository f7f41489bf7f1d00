#pragma once

namespace kq {

class Launcher;
class StudioContext;
class WindowRegistry;

// The melody editor, opened from the main menu, and its note dialog, made at
// start-up and reused.
void RegisterMelodyWindows(WindowRegistry &windows, StudioContext &context, Launcher &launcher);

}  // namespace kq
