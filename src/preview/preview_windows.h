#pragma once

namespace kq {

class StudioContext;
class WindowRegistry;

// The preview window, made once at start-up and reused.
void RegisterPreviewWindow(WindowRegistry &windows, StudioContext &context);

}  // namespace kq
