#pragma once

#include "context/studio_context.h"
#include "shell/window_kind.h"

#include <QObject>

#include <functional>
#include <map>

class QWidget;

namespace kq {

// The one-instance rule and the main menu's visibility while windows are
// open. A window opened here hides the menu; when it leaves (it is closed or
// hidden) it is destroyed and the menu comes back, except during a step
// switch, when the next step's window takes its place instead.
class WindowRegistry final : public QObject {
    Q_OBJECT
public:
    // Makes a new window of a kind; the registry owns what it returns.
    // nullptr when the window cannot be made: nothing opens.
    using Factory = std::function<QWidget *()>;

    WindowRegistry(QWidget &menu, StudioContext::StepSwitch &stepSwitch);
    ~WindowRegistry() override;

    void Register(WindowKind kind, Factory factory);

    // Hides the menu, makes the window when it does not exist, shows it and
    // brings it to the front. A kind nobody registered, or whose window
    // cannot be made, opens nothing and leaves the menu as it is; returns
    // nullptr then.
    QWidget *Open(WindowKind kind);

    // The open window of that kind, or nullptr.
    QWidget *Find(WindowKind kind) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry {
        Factory factory;
        QWidget *window = nullptr;
    };

    void Forget(Entry &entry);
    void ShowMenuUnlessSwitching();

    QWidget &m_menu;
    StudioContext::StepSwitch &m_stepSwitch;
    std::map<WindowKind, Entry> m_entries;
};

}  // namespace kq
