#include "base/text_file.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

TEST(TextFile, WritesCp932WithCrLfAfterEveryLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.kq27");
    ASSERT_TRUE(WriteTextLines(path, {"OK", "reponame=ソラリット２", "", "ﾌﾙｶﾗｰ"}));
    EXPECT_EQ(ReadBytes(path), QByteArray("OK\r\nreponame=\x83\x5c\x83\x89\x83\x8a\x83\x62\x83\x67\x82\x51\r\n\r\n"
                                          "\xcc\xd9\xb6\xd7\xb0\r\n"));
    const auto back = ReadTextLines(path);
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->hasDecodingErrors);
    EXPECT_EQ(back->lines, (QStringList{"OK", "reponame=ソラリット２", "", "ﾌﾙｶﾗｰ"}));
}

TEST(TextFile, ReadsEveryLineEnding)
{
    QTemporaryDir dir;
    const struct {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"", {}},
        {"\r\n", {""}},
    };
    for (const auto &c : cases) {
        const QString path = dir.filePath("lines.txt");
        WriteBytes(path, c.bytes);
        const auto read = ReadTextLines(path);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->lines, c.lines) << c.bytes.toStdString();
    }
}

TEST(TextFile, FlagsBytesThatAreNotCp932)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("utf8.kq27");
    WriteBytes(path, QStringLiteral("OK\r\nreponame=あいう\r\n").toUtf8());
    const auto read = ReadTextLines(path);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->hasDecodingErrors);
    EXPECT_FALSE(ReadTextLines(dir.filePath("missing")).has_value());
    EXPECT_FALSE(ReadTextLines(dir.path()).has_value());  // a folder
}

// A character the code page cannot hold fails the write and leaves the
// earlier file exactly as it was.
TEST(TextFile, FailedWriteLeavesTheEarlierFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.kq27");
    ASSERT_TRUE(WriteTextLines(path, {"OK", "first"}));
    const QByteArray before = ReadBytes(path);

    EXPECT_FALSE(WriteTextLines(path, {"OK", QString::fromUtf8("emoji \xF0\x9F\x98\x80")}));
    EXPECT_FALSE(WriteTextLines(path, {"OK", QStringLiteral("한국어")}));
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.kq27"});  // no leftovers

    EXPECT_FALSE(WriteTextLines(dir.filePath("no/such/folder/x.kq27"), {"OK"}));
    EXPECT_FALSE(EncodeTextLines({QString::fromUtf8("\xF0\x9F\x98\x80")}).has_value());
}

}  // namespace
}  // namespace kq
