// Runs on a real X server (xcb): the offscreen platform never has clipboard
// data, and only an X clipboard without an owner hands the text controls the
// empty data that crashed them on a paste.
#include "controls/paste_guard.h"
#include "base/recovery_store.h"
#include "panel/main_window/panel_recovery.h"
#include "panel/main_window/panel_window.h"
#include "services/window_registry.h"
#include "shell/studio_fixture.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>
#include <optional>

namespace kq::testing {
namespace {

enum class Route { CtrlV, ShiftInsert, ContextMenu, MiddleClick };
constexpr Route kRoutes[] = {Route::CtrlV, Route::ShiftInsert, Route::ContextMenu, Route::MiddleClick};

const char *NameOf(Route route)
{
    switch (route) {
    case Route::CtrlV:
        return "Ctrl+V";
    case Route::ShiftInsert:
        return "Shift+Insert";
    case Route::ContextMenu:
        return "context menu";
    case Route::MiddleClick:
        return "middle click";
    }
    return "";
}

QClipboard &Clipboard() { return *QGuiApplication::clipboard(); }

// Every editable QLineEdit (a spin box's among them), QTextEdit and
// QPlainTextEdit inside `window`.
QList<QWidget *> EditableTextControls(const QWidget &window)
{
    QList<QWidget *> controls;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        const auto *line = qobject_cast<QLineEdit *>(widget);
        const auto *edit = qobject_cast<QTextEdit *>(widget);
        const auto *plain = qobject_cast<QPlainTextEdit *>(widget);
        if ((line && !line->isReadOnly()) || (edit && !edit->isReadOnly()) || (plain && !plain->isReadOnly()))
            controls << widget;
    }
    return controls;
}

QString TextOf(const QWidget &control)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(&control))
        return line->text();
    if (const auto *edit = qobject_cast<const QTextEdit *>(&control))
        return edit->toPlainText();
    return qobject_cast<const QPlainTextEdit *>(&control)->toPlainText();
}

void SetSelectedText(QWidget &control, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(&control)) {
        line->setText(text);
        line->selectAll();
    } else if (auto *edit = qobject_cast<QTextEdit *>(&control)) {
        edit->setPlainText(text);
        edit->selectAll();
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(&control)) {
        plain->setPlainText(text);
        plain->selectAll();
    }
}

QString Describe(const QWidget &control)
{
    return QStringLiteral("%1 \"%2\" in %3")
        .arg(QString::fromLatin1(control.metaObject()->className()), control.objectName(),
             control.window()->objectName());
}

// Keys go where the focus would be (a spin box takes its line edit's keys),
// mouse events to a text editor's viewport.
QWidget *KeyTarget(QWidget *control)
{
    while (control->focusProxy())
        control = control->focusProxy();
    return control;
}

QWidget *MouseTarget(QWidget *control)
{
    if (auto *area = qobject_cast<QAbstractScrollArea *>(control))
        return area->viewport();
    return control;
}

QAction *PasteEntry(const QMenu &menu)
{
    for (QAction *action : menu.actions()) {
        if (action->objectName() == "edit-paste" || action->text().startsWith("&Paste"))
            return action;
    }
    return nullptr;
}

// Opens the control's context menu and chooses its paste entry, whether the
// menu pops up (the text controls) or runs its own loop (a spin box);
// `beforeChoosing` runs while the menu is open. Whether the entry was
// enabled; nullopt when the menu or the entry did not appear.
std::optional<bool> PasteFromContextMenu(QWidget *control, const std::function<void()> &beforeChoosing = {})
{
    std::optional<bool> enabled;
    QTimer::singleShot(0, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        if (QAction *paste = PasteEntry(*menu)) {
            if (beforeChoosing)
                beforeChoosing();
            enabled = paste->isEnabled();
            paste->trigger();
        }
        menu->close();
    });
    QWidget *target = MouseTarget(control);
    const QPoint at = target->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
    QCoreApplication::sendEvent(target, &event);
    QCoreApplication::processEvents();
    return enabled;
}

void MiddleClick(QWidget *control)
{
    QWidget *target = MouseTarget(control);
    const QPointF at = QRectF(target->rect()).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, target->mapToGlobal(at), Qt::MiddleButton,
                          type == QEvent::MouseButtonPress ? Qt::MiddleButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
}

// Pastes through `route`; for the context menu, whether its entry was
// enabled.
std::optional<bool> Paste(QWidget *control, Route route)
{
    switch (route) {
    // With the texts X gives these keys: a digits-only edit lets a control
    // character pass.
    case Route::CtrlV:
        QTest::sendKeyEvent(QTest::Click, KeyTarget(control), Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
        break;
    case Route::ShiftInsert:
        QTest::sendKeyEvent(QTest::Click, KeyTarget(control), Qt::Key_Insert, QString(), Qt::ShiftModifier);
        break;
    case Route::ContextMenu:
        return PasteFromContextMenu(control);
    case Route::MiddleClick:
        MiddleClick(control);
        break;
    }
    return std::nullopt;
}

class PasteGuardTest : public StudioFixture {
protected:
    PasteGuardTest() : StudioFixture(QStringLiteral(KQ_DATA_DIR)) { InstallPasteGuard(*QCoreApplication::instance()); }

    // The clipboard and the primary selection without an owner: data
    // without a single format, as after a login.
    static void EmptyClipboard()
    {
        for (const QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection}) {
            Clipboard().clear(mode);
            const QMimeData *data = Clipboard().mimeData(mode);
            ASSERT_TRUE(data) << "not on the xcb platform: " << QGuiApplication::platformName().toStdString();
            ASSERT_TRUE(data->formats().isEmpty());
        }
    }

    static void FillClipboard(const QString &text)
    {
        Clipboard().setText(text, QClipboard::Clipboard);
        Clipboard().setText(text, QClipboard::Selection);
    }

    // Every route into every control, first from the empty clipboard (nothing
    // changes), then with "34" on it (it replaces the selected "12"; the
    // middle click inserts it where it lands, as X does).
    static void PasteIntoEach(const QList<QWidget *> &controls)
    {
        for (QWidget *control : controls) {
            SCOPED_TRACE(Describe(*control).toStdString());
            for (const Route route : kRoutes) {
                SCOPED_TRACE(NameOf(route));
                SetSelectedText(*control, QStringLiteral("12"));
                // Selecting owns the primary selection on X.
                EmptyClipboard();
                const std::optional<bool> emptyEntry = Paste(control, route);
                EXPECT_EQ(TextOf(*control), "12");
                if (route == Route::ContextMenu) {
                    EXPECT_EQ(emptyEntry, false);
                }

                SetSelectedText(*control, QStringLiteral("12"));
                FillClipboard(QStringLiteral("34"));
                const std::optional<bool> filledEntry = Paste(control, route);
                if (route == Route::MiddleClick) {
                    EXPECT_EQ(TextOf(*control).remove(QStringLiteral("34")), "12") << TextOf(*control).toStdString();
                } else {
                    EXPECT_EQ(TextOf(*control), "34");
                }
                if (route == Route::ContextMenu) {
                    EXPECT_EQ(filledEntry, true);
                }
            }
        }
    }
};

TEST_F(PasteGuardTest, ControlsOfEveryKind)
{
    QWidget window;
    window.setObjectName("Bare");
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QPlainTextEdit);
    layout->addWidget(new QTextEdit);
    layout->addWidget(new QLineEdit);
    auto *spin = new QSpinBox;
    spin->setMaximum(9999);  // room for what the middle click inserts
    layout->addWidget(spin);
    window.show();
    const QList<QWidget *> controls = EditableTextControls(window);
    ASSERT_EQ(controls.size(), 4);
    PasteIntoEach(controls);
}

// Every studio window, with the least number of editable text controls each
// must show (the rest have none or only a few that are not worth counting).
TEST_F(PasteGuardTest, EveryTextControlOfTheStudio)
{
    const struct {
        WindowKind kind;
        int leastControls;
    } windows[] = {
        {WindowKind::IconPractice, 0},    {WindowKind::IconEditor, 0},     {WindowKind::FlowchartPractice, 0},
        {WindowKind::FlowchartEditor, 1}, {WindowKind::TextPractice, 3},   {WindowKind::TextEditor, 1},
        {WindowKind::MelodyEditor, 0},    {WindowKind::Thermometer, 0},    {WindowKind::TrainController, 0},
        {WindowKind::ClockSetting, 0},    {WindowKind::KeywordSettings, 1}, {WindowKind::Preview, 0},
        {WindowKind::ParameterDialog, 0}, {WindowKind::TransferData, 0},   {WindowKind::Report, 9},
        {WindowKind::NoteDialog, 0},
    };
    for (const auto &entry : windows) {
        QWidget *window = studio.Windows().Made(entry.kind);
        ASSERT_TRUE(window) << int(entry.kind);
        SCOPED_TRACE(window->objectName().toStdString());
        window->show();
        const QList<QWidget *> controls = EditableTextControls(*window);
        EXPECT_GE(controls.size(), entry.leastControls);
        PasteIntoEach(controls);
        window->hide();
    }
}

TEST_F(PasteGuardTest, EveryTextControlOfThePanelMaker)
{
    const Paths panelPaths(context.Paths().PanelProgramFolder(), context.Paths().AppDataFolder());
    RecoveryStore recovery(panel::PanelRecoveryFolder(panelPaths));
    panel::PanelWindow panelWindow(dialogs, launcher, panelPaths, recovery);
    panelWindow.ShowForModel(0);
    // The text and effect windows belong to the panel window.
    const QList<QWidget *> controls = EditableTextControls(panelWindow);
    EXPECT_GE(controls.size(), 5);
    PasteIntoEach(controls);
}

// The menu enabled its entry while the clipboard held data, whose owner may
// quit before the entry is chosen.
TEST_F(PasteGuardTest, AContextMenuEntryChosenAfterTheDataWentPastesNothing)
{
    QPlainTextEdit plain;
    QTextEdit edit;
    QLineEdit line;
    for (QWidget *control : {static_cast<QWidget *>(&plain), static_cast<QWidget *>(&edit), static_cast<QWidget *>(&line)}) {
        SCOPED_TRACE(Describe(*control).toStdString());
        control->show();
        SetSelectedText(*control, QStringLiteral("12"));
        FillClipboard(QStringLiteral("34"));
        EXPECT_EQ(PasteFromContextMenu(control, [] { EmptyClipboard(); }), true);
        EXPECT_EQ(TextOf(*control), "12");
    }
}

}  // namespace
}  // namespace kq::testing
