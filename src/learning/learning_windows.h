#pragma once

namespace kq {

class Paths;
class WindowRegistry;

// The windows of this folder that the studio opens by kind.
void RegisterLearningWindows(WindowRegistry &windows, const Paths &paths);

}  // namespace kq
