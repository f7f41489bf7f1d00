#pragma once

#include "context/step.h"
#include "editors/common/step_document.h"

namespace kq {

class StepWindows;
class StudioContext;

// Hands the program of `from` to the step `target` through "cache.kq27":
// the cache is kept when another step wrote it with the same program lines
// (so a program that merely passes through a step comes back in its own
// shape), else rewritten; the source window closes, the target opens the
// cache, and when it cannot show the program the source step is opened on
// the cache again. `from` must not be used after the call (its window has closed).
// True when the target step shows the program.
bool SwitchStep(StudioContext &context, StepWindows &windows, StepEditor from, Step target);

}  // namespace kq
