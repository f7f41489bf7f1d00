#include "editors/common/registered_step_windows.h"

#include "services/window_registry.h"

namespace kq {

namespace {

WindowKind EditorKindOf(Step step)
{
    switch (step) {
    case Step::Icons:
        return WindowKind::IconEditor;
    case Step::Flowchart:
        return WindowKind::FlowchartEditor;
    case Step::Text:
        break;
    }
    return WindowKind::TextEditor;
}

}  // namespace

RegisteredStepWindows::RegisteredStepWindows(WindowRegistry &windows) : m_windows(windows)
{
}

void RegisteredStepWindows::Register(Step step, EditorFactory factory)
{
    m_windows.Register(EditorKindOf(step), WindowLifetime::PerOpening,
                       [this, step, factory = std::move(factory)]() -> QWidget * {
                           const StepEditor editor = factory();
                           if (!editor)
                               return nullptr;
                           QWidget *window = editor.host->DialogParent();
                           m_open[step] = {window, editor};
                           return window;
                       });
}

bool RegisteredStepWindows::IsOpen(Step step) const
{
    return m_windows.Find(EditorKindOf(step)) != nullptr;
}

void RegisteredStepWindows::CloseStep(Step step)
{
    if (QWidget *window = m_windows.Find(EditorKindOf(step)))
        window->close();
}

StepEditor RegisteredStepWindows::ShowStep(Step step)
{
    QWidget *window = m_windows.OpenFromMenu(EditorKindOf(step));
    const auto open = m_open.find(step);
    if (!window || open == m_open.end() || open->second.window != window)
        return {};
    return open->second.editor;
}

}  // namespace kq
