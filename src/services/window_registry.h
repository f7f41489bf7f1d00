#pragma once

#include "services/window_kind.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <map>
#include <vector>

class QWidget;

namespace kq {

// The one-instance rule, each window's lifetime and where the pupil returns
// when a window leaves (it is closed or hidden by the program):
// - opened from the main menu, a window hides the menu, which comes back when
//   it leaves, except during a step switch, when the next step's window takes
//   its place instead;
// - opened from an editor, a window returns to that editor and never brings
//   the menu back.
// Reused windows are hidden when they leave; the others are destroyed.
class WindowRegistry final : public QObject {
    Q_OBJECT
public:
    // Makes a new window of a kind; the registry owns what it returns.
    // nullptr when the window cannot be made: nothing opens.
    using Factory = std::function<QWidget *()>;
    // Whether a step switch is under way.
    using SwitchUnderWay = std::function<bool()>;

    WindowRegistry(QWidget &menu, SwitchUnderWay switchUnderWay);
    ~WindowRegistry() override;

    void Register(WindowKind kind, WindowLifetime lifetime, Factory factory);
    // Makes every reused window that does not exist yet, hidden, in the order
    // they were registered.
    void CreateReusedWindows();

    // Hides the menu, makes the window when it does not exist, shows it and
    // brings it to the front. A kind nobody registered, or whose window
    // cannot be made, opens nothing and leaves the menu as it is; returns
    // nullptr then.
    QWidget *OpenFromMenu(WindowKind kind);
    // As above, but the menu stays as it is and `editor` is brought back to
    // the front when the window leaves.
    QWidget *OpenFromEditor(WindowKind kind, QWidget *editor);

    // The existing window of that kind (shown or, when reused, hidden), or
    // nullptr. Makes nothing.
    QWidget *Find(WindowKind kind) const;
    template <typename Window>
    Window *FindAs(WindowKind kind) const
    {
        return qobject_cast<Window *>(Find(kind));
    }
    // The window of that kind, made when it does not exist yet; not shown.
    QWidget *Made(WindowKind kind);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry {
        WindowLifetime lifetime = WindowLifetime::PerOpening;
        Factory factory;
        QWidget *window = nullptr;
        // Who opened the window now shown: the menu when null.
        QPointer<QWidget> opener;
        bool openedFromMenu = false;
    };

    Entry *Find(QObject *window);
    QWidget *Show(WindowKind kind);
    void Left(Entry &entry);
    void Forget(Entry &entry);
    void ShowMenuUnlessSwitching();

    QWidget &m_menu;
    SwitchUnderWay m_switchUnderWay;
    std::map<WindowKind, Entry> m_entries;
    std::vector<WindowKind> m_reusedOrder;
    // Windows that left and still wait for their deferred deletion.
    std::vector<QPointer<QWidget>> m_leaving;
};

}  // namespace kq
