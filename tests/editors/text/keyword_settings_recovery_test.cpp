#include "base/text_file.h"
#include "base/text_helpers.h"
#include "context/studio_context.h"
#include "device/virtual_clock.h"
#include "editors/common/registered_step_windows.h"
#include "editors/text/keyword_settings_recovery.h"
#include "editors/text/keyword_settings_window.h"
#include "editors/text/text_windows.h"
#include "services/recovery_offer.h"
#include "services/window_registry.h"
#include "support/abandoned_program.h"
#include "support/fake_waiter.h"
#include "support/recording_dialogs.h"
#include "support/recording_launcher.h"
#include "support/recovery_files.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

namespace kq {
namespace {

using Kind = testing::RecordingDialogs::Kind;

// The keyword settings as the studio registers them, over the installed data
// and a temporary folder under root.
struct KeywordStudio {
    explicit KeywordStudio(const QString &folder) : root(folder)
    {
        RegisterTextEditor(steps, context, windows, launcher, restorers);
        RegisterKeywordSettingsRecovery(restorers, windows);
        menu.show();
    }
    KeywordSettingsWindow *Open()
    {
        return qobject_cast<KeywordSettingsWindow *>(windows.OpenFromMenu(WindowKind::KeywordSettings));
    }
    KeywordSettingsWindow *Shown() { return windows.FindAs<KeywordSettingsWindow>(WindowKind::KeywordSettings); }
    QStringList Copies() { return testing::RecoveryCopyFiles(context.Recovery()); }

    QString root;
    testing::RecordingDialogs dialogs;
    testing::FakeWaiter waiter;
    VirtualClock clock;
    StudioContext context {dialogs, waiter, Paths(QStringLiteral(KQ_DATA_DIR), root + QStringLiteral("/appdata")),
                           clock};
    testing::RecordingLauncher launcher;
    RecoveryRestorers restorers;
    QWidget menu;
    WindowRegistry windows {menu, [] { return false; }};
    RegisteredStepWindows steps {windows};
};

// As typed over the selected text: the line edit tells it as an edit.
void Retype(QLineEdit *entry, const QString &text)
{
    entry->selectAll();
    if (text.isEmpty())
        entry->del();
    else
        entry->insert(text);
}

TEST(KeywordSettingsRecovery, AKilledWindowsTextsComeBackAndApplyAsTyped)
{
    const QString root = testing::AbandonedProgramFolder();
    KQ_RUN_THEN_KILL({
        KeywordStudio killed(root);
        KeywordSettingsWindow *window = killed.Open();
        Retype(window->Entry(1), QStringLiteral("hikari"));
        // Half typed: the keyword file cannot hold an empty keyword.
        Retype(window->Entry(2), QString());
        window->Recovery().Flush();
    });

    KeywordStudio next(root);
    next.dialogs.yesNoAnswers.enqueue(true);
    OfferAbandonedWork(next.context.Recovery(), next.dialogs, &next.menu, next.restorers);
    ASSERT_EQ(next.dialogs.Texts(Kind::Question).size(), 1);
    EXPECT_TRUE(next.dialogs.Texts(Kind::Question).first().contains(QStringLiteral("・キーワード設定　KQ27.dat　")));
    KeywordSettingsWindow *window = next.Shown();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Entry(1)->text(), QStringLiteral("hikari"));
    EXPECT_EQ(window->Entry(2)->text(), QStringLiteral("fadein"));
    EXPECT_EQ(next.Copies().size(), 1);

    window->findChild<QPushButton *>(QStringLiteral("ApplyButton"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const std::optional<TextFileContent> applied = ReadTextLines(next.context.Paths().TempFolder() + kKeywordFileName);
    ASSERT_TRUE(applied);
    EXPECT_EQ(FieldOf(applied->lines[0], 3, QLatin1Char(',')), QStringLiteral("hikari"));
    EXPECT_EQ(FieldOf(applied->lines[1], 3, QLatin1Char(',')), QStringLiteral("fadein"));
    EXPECT_TRUE(next.Copies().isEmpty());
}

TEST(KeywordSettingsRecovery, OnlyATextTheFileCanHoldMakesACopyAndCancelRemovesIt)
{
    KeywordStudio studio(testing::AbandonedProgramFolder());
    QPointer<KeywordSettingsWindow> window = studio.Open();
    // Shown as read, restored to the same defaults, or typed into something
    // the file cannot hold: nothing to keep.
    window->findChild<QPushButton *>(QStringLiteral("RestoreButton"))->click();
    Retype(window->Entry(4), QStringLiteral("한"));
    Retype(window->Entry(4), QStringLiteral("fullledconti"));
    Retype(window->Entry(3), QStringLiteral("a,b"));
    EXPECT_FALSE(window->Recovery().IsDue());

    Retype(window->Entry(3), QStringLiteral("kieru"));
    window->Recovery().Flush();
    const std::optional<RecoveryCopy> copy =
        testing::RecoveryCopyOf(studio.context.Recovery(), kKeywordsRecoveryWindow);
    ASSERT_TRUE(copy);
    const std::optional<KeywordFile> file = ParseKeywordFile(DecodeTextLines(copy->body).lines);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Line(3).keyword, QStringLiteral("kieru"));

    window->findChild<QPushButton *>(QStringLiteral("CancelButton"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
    EXPECT_TRUE(studio.Copies().isEmpty());
}

TEST(KeywordSettingsRecovery, ACopyThatIsNoKeywordFileIsRefusedAndTheWindowCloses)
{
    KeywordStudio studio(testing::AbandonedProgramFolder());
    RecoveryCopy copy;
    copy.window = kKeywordsRecoveryWindow;
    copy.body = QByteArrayLiteral("1,,ledon\r\n");
    EXPECT_FALSE(studio.restorers.Restore(copy));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(studio.Shown(), nullptr);
    EXPECT_TRUE(studio.menu.isVisible());
}

}  // namespace
}  // namespace kq
