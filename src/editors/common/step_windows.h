#pragma once

namespace kq {

class StepDocument;

// The windows of the three steps as a step switch needs them; the shell, which
// owns the windows, implements it.
class StepWindows {
public:
    virtual ~StepWindows() = default;

    // Closes the window of `step` without the close question (the switch state
    // is set) and without showing the main menu. The window may be deleted
    // later (deleteLater), as the switch usually runs inside its own menu
    // command; its document is not used again once this is called.
    virtual void CloseStep(int step) = 0;

    // Creates the window of `step` when needed and shows it; its document, or
    // nullptr when the window could not be made.
    virtual StepDocument *ShowStep(int step) = 0;
};

}  // namespace kq
