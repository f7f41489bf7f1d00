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
class StudioStepWindows final : public StepWindows {
public:
    // Makes a step's new document; its window is the document's
    // DialogParent(), owned by the registry from then on.
    using DocumentFactory = std::function<StepDocument *()>;

    explicit StudioStepWindows(WindowRegistry &windows);

    // Registers the step's window (1 icons, 2 flowchart, 3 text) with the
    // registry under its menu kind.
    void Register(int step, DocumentFactory factory);

    void CloseStep(int step) override;
    StepDocument *ShowStep(int step) override;

private:
    struct Open {
        QPointer<QWidget> window;
        StepDocument *document = nullptr;
    };

    WindowRegistry &m_windows;
    // The document of each step's current window; valid while that window is.
    std::map<int, Open> m_open;
};

}  // namespace kq
