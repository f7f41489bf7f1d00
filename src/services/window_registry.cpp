#include "services/window_registry.h"

#include <QEvent>
#include <QWidget>

namespace kq {

WindowRegistry::WindowRegistry(QWidget &menu, SwitchUnderWay switchUnderWay)
    : m_menu(menu), m_switchUnderWay(std::move(switchUnderWay))
{
}

WindowRegistry::~WindowRegistry()
{
    // Windows that left just now and wait for the event loop to delete them
    // go with the registry, before the services they use.
    for (const QPointer<QWidget> &window : m_leaving)
        delete window.data();
    for (auto &[kind, entry] : m_entries) {
        if (QWidget *window = entry.window) {
            Forget(entry);
            delete window;
        }
    }
}

void WindowRegistry::Register(WindowKind kind, WindowLifetime lifetime, Factory factory)
{
    Entry &entry = m_entries[kind];
    entry.lifetime = lifetime;
    entry.factory = std::move(factory);
    if (lifetime == WindowLifetime::Reused)
        m_reusedOrder.push_back(kind);
}

void WindowRegistry::CreateReusedWindows()
{
    for (WindowKind kind : m_reusedOrder)
        Made(kind);
}

QWidget *WindowRegistry::Made(WindowKind kind)
{
    const auto found = m_entries.find(kind);
    if (found == m_entries.end() || !found->second.factory)
        return nullptr;
    Entry &entry = found->second;
    if (entry.window)
        return entry.window;

    entry.window = entry.factory();
    if (!entry.window)
        return nullptr;
    entry.window->installEventFilter(this);
    connect(entry.window, &QObject::destroyed, this, [this, &entry] {
        // Destroyed without being hidden first: it has left all the same.
        const bool wasShown = entry.opener || entry.openedFromMenu;
        entry.window = nullptr;
        if (wasShown)
            Left(entry);
    });
    return entry.window;
}

QWidget *WindowRegistry::Show(WindowKind kind)
{
    QWidget *window = Made(kind);
    if (!window)
        return nullptr;
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

QWidget *WindowRegistry::OpenFromMenu(WindowKind kind)
{
    if (!Made(kind))
        return nullptr;
    Entry &entry = m_entries.at(kind);
    entry.opener = nullptr;
    entry.openedFromMenu = true;
    m_menu.hide();
    return Show(kind);
}

QWidget *WindowRegistry::OpenFromEditor(WindowKind kind, QWidget *editor)
{
    if (!Made(kind))
        return nullptr;
    Entry &entry = m_entries.at(kind);
    entry.opener = editor;
    entry.openedFromMenu = false;
    return Show(kind);
}

QWidget *WindowRegistry::Find(WindowKind kind) const
{
    const auto found = m_entries.find(kind);
    return found == m_entries.end() ? nullptr : found->second.window;
}

WindowRegistry::Entry *WindowRegistry::Find(QObject *window)
{
    for (auto &[kind, entry] : m_entries) {
        if (entry.window && entry.window == window)
            return &entry;
    }
    return nullptr;
}

bool WindowRegistry::eventFilter(QObject *watched, QEvent *event)
{
    // Minimising hides a window spontaneously; only the program's own hide
    // (close() included) means the window has left.
    if (event->type() == QEvent::Hide && !event->spontaneous()) {
        if (Entry *entry = Find(watched)) {
            if (entry->lifetime == WindowLifetime::PerOpening) {
                QWidget *window = entry->window;
                Forget(*entry);
                std::erase_if(m_leaving, [](const QPointer<QWidget> &left) { return left.isNull(); });
                m_leaving.emplace_back(window);
                window->deleteLater();
            }
            Left(*entry);
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowRegistry::Left(Entry &entry)
{
    const QPointer<QWidget> editor = entry.opener;
    const bool toMenu = entry.openedFromMenu;
    entry.opener = nullptr;
    entry.openedFromMenu = false;
    if (toMenu) {
        ShowMenuUnlessSwitching();
    } else if (editor && editor->isVisible()) {
        editor->raise();
        editor->activateWindow();
    }
}

void WindowRegistry::Forget(Entry &entry)
{
    entry.window->removeEventFilter(this);
    disconnect(entry.window, nullptr, this, nullptr);
    entry.window = nullptr;
}

void WindowRegistry::ShowMenuUnlessSwitching()
{
    if (m_switchUnderWay && m_switchUnderWay())
        return;
    m_menu.show();
    m_menu.raise();
    m_menu.activateWindow();
}

}  // namespace kq
