#include "shell/studio_step_windows.h"

#include "editors/common/step_document.h"
#include "shell/window_registry.h"

#include <optional>

namespace kq {

namespace {

std::optional<WindowKind> EditorKindOf(int step)
{
    switch (step) {
    case 1:
        return WindowKind::IconEditor;
    case 2:
        return WindowKind::FlowchartEditor;
    case 3:
        return WindowKind::TextEditor;
    default:
        return std::nullopt;
    }
}

}  // namespace

StudioStepWindows::StudioStepWindows(WindowRegistry &windows) : m_windows(windows)
{
}

void StudioStepWindows::Register(int step, DocumentFactory factory)
{
    const std::optional<WindowKind> kind = EditorKindOf(step);
    if (!kind)
        return;
    m_windows.Register(*kind, [this, step, factory = std::move(factory)]() -> QWidget * {
        StepDocument *document = factory();
        if (!document)
            return nullptr;
        m_open[step] = {document->DialogParent(), document};
        return document->DialogParent();
    });
}

void StudioStepWindows::CloseStep(int step)
{
    if (const std::optional<WindowKind> kind = EditorKindOf(step)) {
        if (QWidget *window = m_windows.Find(*kind))
            window->close();
    }
}

StepDocument *StudioStepWindows::ShowStep(int step)
{
    const std::optional<WindowKind> kind = EditorKindOf(step);
    if (!kind)
        return nullptr;
    QWidget *window = m_windows.Open(*kind);
    const auto open = m_open.find(step);
    if (!window || open == m_open.end() || open->second.window != window)
        return nullptr;
    return open->second.document;
}

}  // namespace kq
