#include "tools/melody/melody_windows.h"

#include "services/recovery_offer.h"
#include "services/window_registry.h"
#include "support/recording_launcher.h"
#include "support/test_context.h"
#include "tools/melody/melody_window.h"
#include "tools/melody/note_dialog.h"

#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace kq {
namespace {

TEST(MelodyWindowsTest, TheEditorOpensFromTheMenuAndUsesTheReusedNoteDialog)
{
    testing::TestContext test;
    testing::RecordingLauncher launcher;
    QWidget menu;
    WindowRegistry windows(menu, [] { return false; });
    RecoveryRestorers restorers;
    RegisterMelodyWindows(windows, test.context, launcher, restorers);
    windows.CreateReusedWindows();
    auto *dialog = windows.FindAs<NoteDialog>(WindowKind::NoteDialog);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(windows.Find(WindowKind::MelodyEditor), nullptr);

    menu.show();
    QPointer<MelodyWindow> editor = qobject_cast<MelodyWindow *>(windows.OpenFromMenu(WindowKind::MelodyEditor));
    ASSERT_TRUE(editor);
    EXPECT_FALSE(menu.isVisible());
    editor->AppendKey({0, false});
    ASSERT_TRUE(editor->SelectNoteAt(QPoint(95, 60 + 40 + 30)));
    QTimer::singleShot(0, dialog, [dialog] { dialog->findChild<QPushButton *>("pw9")->click(); });
    editor->EditSelected();
    EXPECT_EQ(editor->CurrentMelody().Note(0).key, 9);

    test.dialogs.yesNoAnswers.enqueue(true);
    editor->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(editor);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(windows.Find(WindowKind::NoteDialog), dialog);
}

}  // namespace
}  // namespace kq
