#pragma once

namespace kq {

class StudioContext;
class WindowRegistry;

// The windows of this folder that the studio opens by kind.
void RegisterLearningWindows(WindowRegistry &windows, StudioContext &context);

}  // namespace kq
