#include "services/recovery_offer.h"
#include "support/abandoned_program.h"
#include "support/recording_dialogs.h"

#include <QDir>

#include <gtest/gtest.h>

namespace kq {
namespace {

using Kind = testing::RecordingDialogs::Kind;

RecoveryCopy CopyOf(const QString &window, const QString &path, const QByteArray &body)
{
    RecoveryCopy copy;
    copy.window = window;
    copy.filePath = path;
    copy.changed = QDateTime(QDate(2026, 12, 10), QTime(10, 5));
    copy.body = body;
    return copy;
}

// What a killed studio left: two windows' copies and one of a window this
// program has never had.
QString LeaveAbandonedWork()
{
    const QString folder = testing::AbandonedProgramFolder() + QStringLiteral("Recovery/");
    KQ_RUN_THEN_KILL({
        RecoveryStore killed(folder);
        (void)killed.Write(QStringLiteral("STEP1"), CopyOf(QStringLiteral("STEP1"), QString(), "icons"));
        (void)killed.Write(QStringLiteral("STEP3"),
                           CopyOf(QStringLiteral("STEP3"), QStringLiteral("/home/p/あ.kq27"), "text"));
        (void)killed.Write(QStringLiteral("Other"), CopyOf(QStringLiteral("Other"), QString(), "?"));
    });
    return folder;
}

struct Restorers {
    Restorers()
    {
        for (const QString &window : {QStringLiteral("STEP1"), QStringLiteral("STEP3")}) {
            restorers.Register(window, window, [this](const RecoveryCopy &copy) {
                restored.append(copy.body);
                return copy.body != refused;
            });
        }
    }
    RecoveryRestorers restorers;
    QList<QByteArray> restored;
    QByteArray refused;
};

TEST(RecoveryOffer, AsksOnceListingTheWorkAndRestoresEveryCopy)
{
    const QString folder = LeaveAbandonedWork();
    testing::RecordingDialogs dialogs;
    Restorers windows;
    RecoveryStore store(folder);
    OfferAbandonedWork(store, dialogs, nullptr, windows.restorers);

    const QStringList questions = dialogs.Texts(Kind::Question);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions.first(),
              QStringLiteral("前回、保存しないまま終わった作業が残っております。\r\n\r\n"
                             "・STEP1　新規　12月10日 10:05\r\n"
                             "・STEP3　あ.kq27　12月10日 10:05\r\n\r\n"
                             "元に戻しますか？\r\n（「いいえ」を選ぶと、残っている作業は削除されます。）"));
    EXPECT_EQ(windows.restored, (QList<QByteArray> {"icons", "text"}));
    // The copy no window knows is kept aside and said so.
    EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList {RecoveryDamagedMessage(store.DamagedFolder())});
    EXPECT_EQ(QDir(store.DamagedFolder()).entryList(QDir::Files).size(), 1);

    RecoveryStore next(folder);
    EXPECT_TRUE(next.ClaimAbandoned().IsEmpty());
}

// Yes with a copy its window refuses, and No.
class RecoveryOfferAnswer : public ::testing::TestWithParam<bool> {};

TEST_P(RecoveryOfferAnswer, NoDiscardsAndARefusedCopyIsKeptAside)
{
    const bool restore = GetParam();
    const QString folder = LeaveAbandonedWork();
    testing::RecordingDialogs dialogs;
    dialogs.yesNoAnswers.enqueue(restore);
    Restorers windows;
    windows.refused = "text";
    RecoveryStore store(folder);
    OfferAbandonedWork(store, dialogs, nullptr, windows.restorers);

    EXPECT_EQ(windows.restored.size(), restore ? 2 : 0);
    // The unknown window's copy, and when restoring the refused one.
    EXPECT_EQ(QDir(store.DamagedFolder()).entryList(QDir::Files).size(), restore ? 2 : 1);
    RecoveryStore next(folder);
    EXPECT_TRUE(next.ClaimAbandoned().copies.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(YesAndNo, RecoveryOfferAnswer, ::testing::Bool());

TEST(RecoveryOffer, NothingLeftAsksNothing)
{
    QTemporaryDir dir;
    testing::RecordingDialogs dialogs;
    Restorers windows;
    RecoveryStore store(dir.path() + QStringLiteral("/Recovery/"));
    OfferAbandonedWork(store, dialogs, nullptr, windows.restorers);
    EXPECT_TRUE(dialogs.Records().isEmpty());
}

}  // namespace
}  // namespace kq
