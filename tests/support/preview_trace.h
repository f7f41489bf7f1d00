#pragma once

#include "preview/preview_window.h"
#include "services/window_registry.h"
#include "support/fake_waiter.h"

#include <QEvent>
#include <QList>
#include <QObject>
#include <QWidget>

#include <functional>

namespace kq::testing {

// The preview window a step opened, when it is shown.
inline PreviewWindow *ShownPreview(const WindowRegistry &windows)
{
    auto *preview = windows.FindAs<PreviewWindow>(WindowKind::Preview);
    return preview && preview->isVisible() ? preview : nullptr;
}

// The editor's mark (-1 for none) at every step of the run `play` starts
// and once it has paused or ended, each change once.
inline QList<int> MarksDuring(FakeWaiter &waiter, const std::function<void()> &play, const std::function<int()> &mark)
{
    QList<int> marks;
    const auto take = [&] {
        if (marks.isEmpty() || marks.last() != mark())
            marks << mark();
    };
    waiter.SetOnWait([&](int) { take(); });
    play();
    waiter.SetOnWait({});
    take();
    return marks;
}

// Whether a window is blocked by a modal one, as the window system tells it:
// a blocked window gets no input at all.
class BlockedWatch final : public QObject {
public:
    explicit BlockedWatch(QWidget &window) { window.installEventFilter(this); }
    bool Blocked() const { return m_blocked; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowBlocked)
            m_blocked = true;
        else if (event->type() == QEvent::WindowUnblocked)
            m_blocked = false;
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_blocked = false;
};

}  // namespace kq::testing
