#include "base/text_file.h"
#include "editors/common/program_file_commands.h"
#include "services/recovery_offer.h"
#include "services/window_registry.h"
#include "support/abandoned_program.h"
#include "support/file_bytes.h"
#include "support/recording_launcher.h"
#include "support/recovery_files.h"
#include "support/test_context.h"
#include "tools/melody/melody_file.h"
#include "tools/melody/melody_window.h"
#include "tools/melody/melody_windows.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPointer>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace kq {
namespace {

using Kind = testing::RecordingDialogs::Kind;

// The melody editor as the studio registers it, over folders under root.
struct MelodyStudio {
    MelodyStudio() { Start(); }
    explicit MelodyStudio(const QString &root) : test(root) { Start(); }
    void Start()
    {
        RegisterMelodyWindows(windows, test.context, launcher, restorers);
        windows.CreateReusedWindows();
        menu.show();
    }
    MelodyWindow *Open() { return qobject_cast<MelodyWindow *>(windows.OpenFromMenu(WindowKind::MelodyEditor)); }
    MelodyWindow *Shown() { return windows.FindAs<MelodyWindow>(WindowKind::MelodyEditor); }
    void OfferAbandonedWork(bool answer)
    {
        test.dialogs.yesNoAnswers.enqueue(answer);
        kq::OfferAbandonedWork(test.context.Recovery(), test.dialogs, &menu, restorers);
    }
    QStringList Copies() { return testing::RecoveryCopyFiles(test.context.Recovery()); }

    testing::TestContext test;
    testing::RecordingLauncher launcher;
    RecoveryRestorers restorers;
    QWidget menu;
    WindowRegistry windows {menu, [] { return false; }};
};

// Notes, an LED colour, the link and the speed: everything the file keeps.
void Compose(MelodyWindow &window)
{
    window.AppendKey({4, false});
    window.AppendKey({0, true});
    window.AppendKey({kRestKey, false});
    window.findChild<QComboBox *>(QStringLiteral("LED_Combo4"))->setCurrentIndex(2);
    window.findChild<QRadioButton *>(QStringLiteral("LinkOn"))->click();
    window.findChild<QRadioButton *>(QStringLiteral("SpeedHalf"))->click();
}

QString TuneFile(const QString &root)
{
    return root + QStringLiteral("tune.kq27");
}

TEST(MelodyRecovery, AKilledEditorsMelodyComesBackWithItsFileAndCaption)
{
    const QString root = testing::AbandonedProgramFolder();
    Melody opened;
    ASSERT_TRUE(opened.Append({9, false}));
    ASSERT_TRUE(WriteTextLines(TuneFile(root), MelodyFileLines(opened)));
    KQ_RUN_THEN_KILL({
        MelodyStudio killed(root);
        MelodyWindow *window = killed.Open();
        window->OpenDropped({TuneFile(root)});
        Compose(*window);
        window->Recovery().Flush();
    });

    // What the killed editor held, made again here.
    MelodyStudio reference;
    MelodyWindow *before = reference.Open();
    ASSERT_TRUE(before->OpenDropped({TuneFile(root)}));
    Compose(*before);
    const QStringList expected = MelodyFileLines(before->CurrentMelody());

    MelodyStudio next(root);
    next.OfferAbandonedWork(true);
    ASSERT_EQ(next.test.dialogs.Texts(Kind::Question).size(), 1);
    EXPECT_TRUE(
        next.test.dialogs.Texts(Kind::Question).first().contains(QStringLiteral("・メロディー作成　tune.kq27　")));
    MelodyWindow *window = next.Shown();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(next.menu.isVisible());
    EXPECT_EQ(MelodyFileLines(window->CurrentMelody()), expected);
    EXPECT_EQ(window->windowTitle(), StudioCaptionFor(TuneFile(root)));
    EXPECT_TRUE(window->findChild<QRadioButton *>(QStringLiteral("SpeedHalf"))->isChecked());
    EXPECT_EQ(window->findChild<QComboBox *>(QStringLiteral("LED_Combo4"))->currentIndex(), 2);
    EXPECT_FALSE(window->CurrentMelody().IsMarkedSaved());
    // Safe again before the old copy went.
    const std::optional<RecoveryCopy> own =
        testing::RecoveryCopyOf(next.test.context.Recovery(), kMelodyRecoveryWindow);
    ASSERT_TRUE(own);
    EXPECT_EQ(own->body, MelodyFileBytes(before->CurrentMelody()));
    EXPECT_EQ(own->filePath, TuneFile(root));

    // A save writes what the editor held, and the copy goes.
    next.test.dialogs.fileNames.enqueue(root + QStringLiteral("again"));
    window->Save();
    EXPECT_EQ(testing::ReadBytes(root + QStringLiteral("again(メロディ).kq27")), *EncodeTextLines(expected));
    EXPECT_TRUE(next.Copies().isEmpty());
}

TEST(MelodyRecovery, ACopyOnlyAfterAChangeAndNoneAfterANormalClose)
{
    MelodyStudio studio;
    QPointer<MelodyWindow> window = studio.Open();
    window->Recovery().Flush();
    EXPECT_TRUE(studio.Copies().isEmpty());

    // The speed alone is an edit too.
    window->findChild<QRadioButton *>(QStringLiteral("SpeedDouble"))->click();
    EXPECT_TRUE(window->Recovery().IsDue());
    window->AppendKey({2, false});
    window->Recovery().Flush();
    const std::optional<RecoveryCopy> copy =
        testing::RecoveryCopyOf(studio.test.context.Recovery(), kMelodyRecoveryWindow);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->body, MelodyFileBytes(window->CurrentMelody()));
    EXPECT_TRUE(copy->filePath.isEmpty());

    // "No" keeps the window and its copy; "Yes" closes and removes it.
    studio.test.dialogs.yesNoAnswers.enqueue(false);
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(studio.Copies().size(), 1);
    studio.test.dialogs.yesNoAnswers.enqueue(true);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
    EXPECT_TRUE(studio.Copies().isEmpty());
}

TEST(MelodyRecovery, OpeningAFileLeavesNoCopyOfTheWorkItReplaced)
{
    MelodyStudio studio;
    const QString root = studio.test.temp.Root() + QLatin1Char('/');
    ASSERT_TRUE(WriteTextLines(TuneFile(root), MelodyFileLines(Melody())));
    MelodyWindow *window = studio.Open();
    window->AppendKey({2, false});
    window->Recovery().Flush();
    ASSERT_EQ(studio.Copies().size(), 1);
    ASSERT_TRUE(window->OpenDropped({TuneFile(root)}));
    EXPECT_FALSE(window->Recovery().IsDue());
    EXPECT_TRUE(studio.Copies().isEmpty());
}

TEST(MelodyRecovery, TheCopyOfARunningStudioIsNotOffered)
{
    const QString root = testing::AbandonedProgramFolder();
    MelodyStudio running(root);
    MelodyWindow *window = running.Open();
    window->AppendKey({2, false});
    window->Recovery().Flush();

    MelodyStudio second(root);
    second.OfferAbandonedWork(true);
    EXPECT_TRUE(second.test.dialogs.Records().isEmpty());
    EXPECT_EQ(second.Shown(), nullptr);
    EXPECT_EQ(running.Copies().size(), 1);
}

TEST(MelodyRecovery, ACopyThatHoldsNoMelodyIsRefusedAndTheMenuComesBack)
{
    MelodyStudio studio;
    RecoveryCopy copy;
    copy.window = kMelodyRecoveryWindow;
    copy.body = QByteArrayLiteral("OK\r\nSTART\r\nEND\r\n");
    EXPECT_FALSE(studio.restorers.Restore(copy));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(studio.Shown(), nullptr);
    EXPECT_TRUE(studio.menu.isVisible());
    EXPECT_TRUE(studio.Copies().isEmpty());
}

}  // namespace
}  // namespace kq
