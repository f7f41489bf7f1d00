#pragma once

#include <optional>

namespace kq {

// The three programming steps, in the order of their difficulty.
enum class Step { Icons = 1, Flowchart = 2, Text = 3 };

// A step switch under way and the step that started it. The main menu clears
// it whenever it is shown.
struct StepSwitchState {
    bool underWay = false;
    std::optional<Step> source;
};

}  // namespace kq
