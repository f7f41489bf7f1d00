#include "shell/window_registry.h"

#include <QEvent>
#include <QWidget>

namespace kq {

WindowRegistry::WindowRegistry(QWidget &menu, StudioContext::StepSwitch &stepSwitch)
    : m_menu(menu), m_stepSwitch(stepSwitch)
{
}

WindowRegistry::~WindowRegistry()
{
    for (auto &[kind, entry] : m_entries) {
        if (QWidget *window = entry.window) {
            Forget(entry);
            delete window;
        }
    }
}

void WindowRegistry::Register(WindowKind kind, Factory factory)
{
    m_entries[kind].factory = std::move(factory);
}

QWidget *WindowRegistry::Open(WindowKind kind)
{
    const auto found = m_entries.find(kind);
    if (found == m_entries.end() || !found->second.factory)
        return nullptr;
    Entry &entry = found->second;

    if (!entry.window) {
        entry.window = entry.factory();
        if (!entry.window)
            return nullptr;
        entry.window->installEventFilter(this);
        connect(entry.window, &QObject::destroyed, this, [this, &entry] {
            // Destroyed without being hidden first: it has left all the same.
            entry.window = nullptr;
            ShowMenuUnlessSwitching();
        });
    }
    m_menu.hide();
    entry.window->show();
    entry.window->raise();
    entry.window->activateWindow();
    return entry.window;
}

QWidget *WindowRegistry::Find(WindowKind kind) const
{
    const auto found = m_entries.find(kind);
    return found == m_entries.end() ? nullptr : found->second.window;
}

bool WindowRegistry::eventFilter(QObject *watched, QEvent *event)
{
    // Minimising hides a window spontaneously; only the program's own hide
    // (close() included) means the window has left.
    if (event->type() == QEvent::Hide && !event->spontaneous()) {
        for (auto &[kind, entry] : m_entries) {
            if (entry.window != watched)
                continue;
            QWidget *window = entry.window;
            Forget(entry);
            window->deleteLater();
            ShowMenuUnlessSwitching();
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowRegistry::Forget(Entry &entry)
{
    entry.window->removeEventFilter(this);
    disconnect(entry.window, nullptr, this, nullptr);
    entry.window = nullptr;
}

void WindowRegistry::ShowMenuUnlessSwitching()
{
    if (m_stepSwitch.underWay)
        return;
    m_menu.show();
    m_menu.raise();
    m_menu.activateWindow();
}

}  // namespace kq
