#include "controls/paste_guard.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>

namespace kq {

namespace {

const QString kGuardName = QStringLiteral("PasteGuard");
// Set on a context menu whose paste entry goes through the guard.
const char kGuardedMenu[] = "kqPasteGuarded";

bool IsEditableTextEditor(const QWidget *widget)
{
    if (const auto *edit = qobject_cast<const QTextEdit *>(widget))
        return !edit->isReadOnly();
    if (const auto *edit = qobject_cast<const QPlainTextEdit *>(widget))
        return !edit->isReadOnly();
    return false;
}

// The editable text editor that `widget` is, or whose viewport it is: the
// viewport takes the editor's mouse events and parents its context menu.
QWidget *EditableTextEditorOf(QWidget *widget)
{
    if (IsEditableTextEditor(widget))
        return widget;
    auto *area = qobject_cast<QAbstractScrollArea *>(widget->parentWidget());
    return area && area->viewport() == widget && IsEditableTextEditor(area) ? area : nullptr;
}

// Whether a paste key or click on `object` reaches an editable text control.
bool ReachesEditableText(QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return false;
    if (const auto *line = qobject_cast<const QLineEdit *>(widget))
        return !line->isReadOnly();
    if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(widget))
        return !spin->isReadOnly();
    return EditableTextEditorOf(widget) != nullptr;
}

void PasteInto(QWidget *control)
{
    if (!ClipboardHasData(QClipboard::Clipboard))
        return;
    if (auto *line = qobject_cast<QLineEdit *>(control))
        line->paste();
    else if (auto *edit = qobject_cast<QTextEdit *>(control))
        edit->paste();
    else if (auto *edit = qobject_cast<QPlainTextEdit *>(control))
        edit->paste();
}

// The paste entry of a text editor's own context menu (the one named
// "edit-paste", which pastes through the editor's text control), cut off
// from that paste; nullptr when there is none.
QAction *TakeEditorPasteEntry(QMenu &menu, QWidget &editor)
{
    const QList<QAction *> actions = menu.actions();
    const auto paste = std::find_if(actions.begin(), actions.end(),
                                    [](const QAction *action) { return action->objectName() == u"edit-paste"; });
    const QObjectList children = editor.children();
    const auto control = std::find_if(children.begin(), children.end(),
                                      [](const QObject *child) { return child->inherits("QWidgetTextControl"); });
    if (paste == actions.end() || control == children.end())
        return nullptr;
    QObject::disconnect(*paste, nullptr, *control, nullptr);
    return *paste;
}

// The paste entry of a line edit's own context menu (the one connected to the
// line edit's paste), cut off from it; nullptr when there is none.
QAction *TakeLinePasteEntry(QMenu &menu, QLineEdit &line)
{
    for (QAction *action : menu.actions()) {
        // Qt makes that connection by the slot's name.
        if (QObject::disconnect(action, SIGNAL(triggered()), &line, SLOT(paste()))
            || QObject::disconnect(action, &QAction::triggered, &line, &QLineEdit::paste))
            return action;
    }
    return nullptr;
}

// A text control's own context menu enables its paste entry by the
// clipboard as it was when the menu opened: the clipboard may have lost its
// owner before the entry is chosen. The entry then looks at it again.
void GuardPasteEntry(QMenu &menu)
{
    QWidget *owner = menu.parentWidget();
    if (!owner || menu.property(kGuardedMenu).toBool())
        return;
    QWidget *control = nullptr;
    QAction *paste = nullptr;
    if (auto *line = qobject_cast<QLineEdit *>(owner); line && !line->isReadOnly()) {
        control = line;
        paste = TakeLinePasteEntry(menu, *line);
    } else if (QWidget *editor = EditableTextEditorOf(owner)) {
        control = editor;
        paste = TakeEditorPasteEntry(menu, *editor);
    }
    if (!paste)
        return;
    QObject::connect(paste, &QAction::triggered, control, [control] { PasteInto(control); });
    menu.setProperty(kGuardedMenu, true);
}

class PasteGuard final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            return static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste) && ReachesEditableText(watched)
                && !ClipboardHasData(QClipboard::Clipboard);
        case QEvent::MouseButtonRelease:
            return static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton && ReachesEditableText(watched)
                && !ClipboardHasData(QClipboard::Selection);
        case QEvent::Show:
            if (auto *menu = qobject_cast<QMenu *>(watched))
                GuardPasteEntry(*menu);
            return false;
        default:
            return false;
        }
    }
};

}  // namespace

bool ClipboardHasData(QClipboard::Mode mode)
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData(mode);
    return data && !data->formats().isEmpty();
}

void InstallPasteGuard(QCoreApplication &application)
{
    if (application.findChild<QObject *>(kGuardName, Qt::FindDirectChildrenOnly))
        return;
    auto *guard = new PasteGuard(&application);
    guard->setObjectName(kGuardName);
    application.installEventFilter(guard);
}

}  // namespace kq
