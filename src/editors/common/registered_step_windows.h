#pragma once

#include "editors/common/step_windows.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

namespace kq {

class WindowRegistry;

// The windows of the three programming steps, as the step switch and the
// main menu use them: each is opened and closed through the window registry,
// so the one-instance rule and the menu's visibility hold for switches too.
class RegisteredStepWindows final : public StepWindows {
public:
    // Makes a step's new editor; its host's DialogParent() is the window,
    // owned by the registry from then on.
    using EditorFactory = std::function<StepEditor()>;

    explicit RegisteredStepWindows(WindowRegistry &windows);

    // Registers the step's window with the registry under its menu kind.
    void Register(Step step, EditorFactory factory);

    // Whether the step's window exists.
    bool IsOpen(Step step) const;

    void CloseStep(Step step) override;
    StepEditor ShowStep(Step step) override;

private:
    struct Open {
        QPointer<QWidget> window;
        StepEditor editor;
    };

    WindowRegistry &m_windows;
    // The editor of each step's current window; valid while that window is.
    std::map<Step, Open> m_open;
};

}  // namespace kq
