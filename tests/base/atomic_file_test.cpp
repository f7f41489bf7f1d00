#include "base/atomic_file.h"
#include "base/picture_file.h"
#include "base/text_file.h"
#include "support/file_bytes.h"
#include "support/full_folder.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace kq {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

const QByteArray kOldFile = "OK\r\nSTART\r\n1,0,0,0,0,0,0\r\nEND\r\n";

TEST(AtomicFile, OldFileStaysUntilTheCommit)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.kq27"));
    WriteBytes(path, kOldFile);
    {
        AtomicFile file(path);
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("new ") && file.Write("bytes"));
        EXPECT_EQ(ReadBytes(path), kOldFile);
        ASSERT_TRUE(file.Commit());
    }
    EXPECT_EQ(ReadBytes(path), QByteArray("new bytes"));

    for (const bool cancelled : {true, false}) {
        AtomicFile file(path);
        ASSERT_TRUE(file.Open() && file.Write("dropped"));
        if (cancelled) {
            file.Cancel();
            EXPECT_FALSE(file.Commit());
        }
    }  // not committed: dropped as it goes out of scope
    EXPECT_EQ(ReadBytes(path), QByteArray("new bytes"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {QStringLiteral("out.kq27")});

    AtomicFile nowhere(dir.filePath(QStringLiteral("no/such/folder/out.kq27")));
    EXPECT_FALSE(nowhere.Open());
    EXPECT_FALSE(nowhere.Write("x"));
    EXPECT_FALSE(nowhere.Commit());
    EXPECT_FALSE(WriteFileAtomically(dir.path(), "a folder"));
}

QImage Picture(int side)
{
    QImage picture(side, side, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    return picture;
}

QStringList ManyLines()
{
    QStringList lines;
    for (int n = 0; n < 20000; ++n)
        lines.append(QStringLiteral("0-start-10-10--%1--0,0,0,0,0,0").arg(n));
    return lines;
}

// Saving over a pupil's file on a full disk: every kind of write reports
// the failure, and the old file stays whole, with no temporary file beside it.
// Small files are the ones a buffered write got wrong; large ones fail while
// being written, or part way when the disk still has a little room.
using FullDiskTest = testing::FullFolderTest;

TEST_P(FullDiskTest, FailedWriteKeepsTheOldFile)
{
    struct Case {
        const char *name;
        qint64 room;
        std::function<bool(const QString &)> write;
    };
    const QByteArray large(512 * 1024, 'x');
    const Case cases[] = {
        {"small lines", 0, [](const QString &path) { return bool(WriteTextLines(path, {"OK"})); }},
        {"large lines", 0, [](const QString &path) { return bool(WriteTextLines(path, ManyLines())); }},
        {"small bytes", 0, [](const QString &path) { return WriteFileAtomically(path, "RIFF"); }},
        {"large bytes part way", 8192, [&](const QString &path) { return WriteFileAtomically(path, large); }},
        {"bytes in pieces", 8192,
         [&](const QString &path) {
             // A failed piece fails the commit, whatever the later pieces do.
             AtomicFile file(path);
             if (!file.Open())
                 return false;
             for (qsizetype at = 0; at < large.size(); at += 4096)
                 (void)file.Write(QByteArrayView(large).sliced(at, 4096));
             return file.Commit();
         }},
        {"small picture", 0, [](const QString &path) { return WritePictureFile(path, Picture(1), "BMP"); }},
        {"large picture", 0, [](const QString &path) { return WritePictureFile(path, Picture(600), "BMP"); }},
        {"jpeg picture", 0, [](const QString &path) { return WritePictureFile(path, Picture(600), "jpeg", 100); }},
    };
    const QTemporaryDir roomy;
    const QString path = m_full.FilePath(QStringLiteral("out.kq27"));
    for (const Case &c : cases) {
        EXPECT_TRUE(c.write(roomy.filePath(QStringLiteral("out.kq27")))) << c.name;
        WriteBytes(path, kOldFile);
        m_full.Fill(c.room);
        const bool written = c.write(path);
        m_full.Empty();
        EXPECT_FALSE(written) << c.name;
        EXPECT_EQ(ReadBytes(path), kOldFile) << c.name;
        EXPECT_EQ(m_full.Entries(), QStringList {QStringLiteral("out.kq27")}) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(OnAFullDisk, FullDiskTest, ::testing::ValuesIn(testing::kFullFolderKinds),
                         testing::FullFolderKindName);

}  // namespace
}  // namespace kq
