#include "base/recovery_copy.h"
#include "base/recovery_store.h"
#include "base/recovery_writer.h"
#include "support/abandoned_program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace kq {
namespace {

RecoveryCopy SampleCopy(const QString &window = QStringLiteral("STEP2"))
{
    RecoveryCopy copy;
    copy.window = window;
    copy.filePath = QStringLiteral("/home/pupil/デスクトップ/a=b\nc.kq27");
    copy.changed = QDateTime(QDate(2026, 12, 10), QTime(9, 41, 7, 250), Qt::UTC);
    copy.detail = QStringLiteral("TL-3");
    copy.body = QByteArray("OK\r\nSTART\r\n\x82\xa0\r\nEND\r\n", 21);
    return copy;
}

TEST(RecoveryCopy, RoundTripsEveryField)
{
    const RecoveryCopy copy = SampleCopy();
    EXPECT_EQ(ParseRecoveryCopy(SerializeRecoveryCopy(copy)), copy);
    RecoveryCopy empty = SampleCopy();
    empty.filePath.clear();
    empty.detail.clear();
    empty.body.clear();
    EXPECT_EQ(ParseRecoveryCopy(SerializeRecoveryCopy(empty)), empty);
}

TEST(RecoveryCopy, RefusesEveryCutAndAnAlteredBody)
{
    const QByteArray whole = SerializeRecoveryCopy(SampleCopy());
    for (qsizetype length = 0; length < whole.size(); ++length)
        EXPECT_FALSE(ParseRecoveryCopy(whole.first(length))) << "cut at " << length;

    QByteArray altered = whole;
    altered[altered.size() - 3] = 'X';
    EXPECT_FALSE(ParseRecoveryCopy(altered));
    EXPECT_FALSE(ParseRecoveryCopy(whole + "more"));
    EXPECT_FALSE(ParseRecoveryCopy(QByteArray("OK\r\nSTART\r\nEND\r\n")));
}

class RecoveryStoreTest : public ::testing::Test {
protected:
    QString Folder() const { return m_dir.path() + QStringLiteral("/Recovery/"); }

    QTemporaryDir m_dir;
};

TEST_F(RecoveryStoreTest, TwoRunningProgramsNeverTakeEachOthersCopies)
{
    RecoveryStore first(Folder());
    RecoveryStore second(Folder());
    ASSERT_TRUE(first.Write(QStringLiteral("STEP1"), SampleCopy(QStringLiteral("STEP1"))));
    ASSERT_TRUE(second.Write(QStringLiteral("STEP1"), SampleCopy(QStringLiteral("STEP3"))));

    EXPECT_TRUE(first.ClaimAbandoned().IsEmpty());
    EXPECT_TRUE(second.ClaimAbandoned().IsEmpty());
    RecoveryStore third(Folder());
    EXPECT_TRUE(third.ClaimAbandoned().IsEmpty());
    third.ForgetClaimed();

    // Nothing of the first program was touched by the others.
    first.Remove(QStringLiteral("STEP1"));
    first.RemoveAll();
    second.RemoveAll();
    EXPECT_EQ(QDir(Folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

TEST_F(RecoveryStoreTest, RemoveTakesOnlyThatWindowsCopy)
{
    RecoveryStore store(Folder());
    ASSERT_TRUE(store.Write(QStringLiteral("STEP1"), SampleCopy()));
    ASSERT_TRUE(store.Write(QStringLiteral("Melody"), SampleCopy()));
    store.Remove(QStringLiteral("STEP1"));
    const QStringList folders = QDir(Folder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(folders.size(), 1);
    EXPECT_EQ(QDir(Folder() + folders.first()).entryList({QStringLiteral("*.copy")}),
              QStringList {QStringLiteral("Melody.copy")});
}

TEST(RecoveryStoreAbandoned, CopiesOfAKilledProgramAreClaimedOnceAndDamagedOnesPutAside)
{
    const QString folder = testing::AbandonedProgramFolder() + QStringLiteral("Recovery/");
    KQ_RUN_THEN_KILL({
        RecoveryStore killed(folder);
        (void)killed.Write(QStringLiteral("STEP2"), SampleCopy(QStringLiteral("STEP2")));
        RecoveryCopy older = SampleCopy(QStringLiteral("STEP1"));
        older.changed = older.changed.addSecs(-60);
        (void)killed.Write(QStringLiteral("STEP1"), older);
        (void)killed.Write(QStringLiteral("Melody"), SampleCopy(QStringLiteral("Melody")));
    });
    // A power cut in the middle of the melody's write.
    const QStringList folders = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(folders.size(), 1);
    const QString melody = folder + folders.first() + QStringLiteral("/Melody.copy");
    QFile file(melody);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(file.size() / 2));
    file.close();

    RecoveryStore next(folder);
    const AbandonedWork work = next.ClaimAbandoned();
    ASSERT_EQ(work.copies.size(), 2);
    EXPECT_EQ(work.copies[0].copy.window, QStringLiteral("STEP1"));  // oldest first
    EXPECT_EQ(work.copies[1].copy, SampleCopy(QStringLiteral("STEP2")));
    ASSERT_EQ(work.damaged.size(), 1);
    EXPECT_TRUE(work.damaged.first().startsWith(next.DamagedFolder()));
    EXPECT_TRUE(QFile::exists(work.damaged.first()));

    // Claimed: another start does not offer them as well.
    RecoveryStore other(folder);
    EXPECT_TRUE(other.ClaimAbandoned().IsEmpty());

    next.ForgetClaimed();
    EXPECT_FALSE(QDir(folder + folders.first()).exists());
    EXPECT_TRUE(QFile::exists(work.damaged.first()));
    RecoveryStore afterwards(folder);
    EXPECT_TRUE(afterwards.ClaimAbandoned().IsEmpty());
}

RecoveryWriter::Snapshot SnapshotOf(const QByteArray &body, int &taken)
{
    return [&body, &taken] {
        ++taken;
        RecoveryCopy header;
        header.window = QStringLiteral("STEP3");
        return std::pair {header, RecoveryWriter::BodyMaker([body] { return body; })};
    };
}

QByteArray OnlyCopyIn(const QString &folder)
{
    const QStringList folders = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (folders.size() != 1)
        return {};
    QFile file(folder + folders.first() + QStringLiteral("/STEP3.copy"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const std::optional<RecoveryCopy> copy = ParseRecoveryCopy(file.readAll());
    return copy ? copy->body : QByteArray();
}

class RecoveryWriterTest : public ::testing::TestWithParam<RecoveryWriter::Thread> {
protected:
    QString Folder() const { return m_dir.path() + QStringLiteral("/Recovery/"); }

    QTemporaryDir m_dir;
};

TEST_P(RecoveryWriterTest, WritesWithinASecondOfAChangeAndNeverWithoutOne)
{
    RecoveryStore store(Folder());
    QByteArray body = "first";
    int taken = 0;
    RecoveryWriter writer(store, QStringLiteral("STEP3"), SnapshotOf(body, taken), GetParam());
    auto *timer = writer.findChild<QTimer *>(QStringLiteral("RecoveryTimer"));
    ASSERT_TRUE(timer);
    EXPECT_LE(timer->interval(), 1000);

    writer.Flush();
    EXPECT_EQ(taken, 0);
    EXPECT_FALSE(timer->isActive());

    writer.NoteChange();
    EXPECT_TRUE(timer->isActive());
    writer.NoteChange();  // a later change within the second does not put it off
    EXPECT_GT(timer->remainingTime(), 0);
    writer.Flush();
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(OnlyCopyIn(Folder()), "first");

    body = "second";
    writer.NoteChange();
    writer.Flush();
    EXPECT_EQ(OnlyCopyIn(Folder()), "second");

    writer.Remove();
    EXPECT_EQ(OnlyCopyIn(Folder()), QByteArray());
    writer.Flush();
    EXPECT_EQ(taken, 2);
}

TEST_P(RecoveryWriterTest, AFailedWriteIsToldOnceUntilAWriteSucceeds)
{
    // A file where the recovery folder should be: nothing can be written.
    QFile blocker(Folder().chopped(1));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    RecoveryStore store(Folder());
    int told = 0;
    store.SetFailureNotice([&told] { ++told; });
    QByteArray body = "work";
    int taken = 0;
    RecoveryWriter writer(store, QStringLiteral("STEP3"), SnapshotOf(body, taken), GetParam());
    for (int change = 0; change < 3; ++change) {
        writer.NoteChange();
        writer.Flush();
    }
    EXPECT_EQ(told, 1);

    ASSERT_TRUE(QFile::remove(Folder().chopped(1)));
    writer.NoteChange();
    writer.Flush();
    EXPECT_EQ(OnlyCopyIn(Folder()), "work");
    EXPECT_EQ(told, 1);
}

TEST_P(RecoveryWriterTest, ABodyThatCannotBeMadeIsAFailedWriteAndKeepsTheEarlierCopy)
{
    RecoveryStore store(Folder());
    int told = 0;
    store.SetFailureNotice([&told] { ++told; });
    std::optional<QByteArray> body = QByteArray("whole");
    RecoveryWriter writer(
        store, QStringLiteral("STEP3"),
        [&body] {
            RecoveryCopy header;
            header.window = QStringLiteral("STEP3");
            return std::pair {header, RecoveryWriter::BodyMaker([body] { return body; })};
        },
        GetParam());
    writer.NoteChange();
    writer.Flush();

    body.reset();
    writer.NoteChange();
    writer.Flush();
    EXPECT_EQ(told, 1);
    EXPECT_EQ(OnlyCopyIn(Folder()), "whole");
}

INSTANTIATE_TEST_SUITE_P(BothThreads, RecoveryWriterTest,
                         ::testing::Values(RecoveryWriter::Thread::Ui, RecoveryWriter::Thread::Worker));

}  // namespace
}  // namespace kq
