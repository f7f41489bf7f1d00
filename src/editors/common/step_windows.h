#pragma once

#include "context/step.h"
#include "editors/common/step_document.h"

namespace kq {

// The windows of the three steps as a step switch needs them; the shell, which
// owns the windows, implements it.
class StepWindows {
public:
    virtual ~StepWindows() = default;

    // Closes the window of `step` without the close question (the switch state
    // is set) and without showing the main menu. The window may be deleted
    // later (deleteLater), as the switch usually runs inside its own menu
    // command; its document is not used again once this is called.
    virtual void CloseStep(Step step) = 0;

    // Creates the window of `step` when needed and shows it; an empty editor
    // when the window could not be made.
    virtual StepEditor ShowStep(Step step) = 0;
};

}  // namespace kq
