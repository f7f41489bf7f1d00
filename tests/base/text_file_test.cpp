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

// Characters Linux input methods type where Windows' CP932 has another code
// point are saved as that one; reading gives Windows' characters.
TEST(TextFile, WritesWhatLinuxInputMethodsTypeAsItsCp932Counterpart)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("ime.kq27");
    const QString typed = QStringLiteral("repotitle=1\u301C2\u2016\u2212\u2014\u00A2\u00A3\u00AC");
    const TextWriteResult written = WriteTextLines(path, {typed});
    ASSERT_TRUE(written);
    EXPECT_TRUE(written.unencodable.isEmpty());
    EXPECT_EQ(ReadBytes(path), QByteArray("repotitle=1\x81\x60" "2\x81\x61\x81\x7c\x81\x5c\x81\x91\x81\x92\x81\xca\r\n"));
    EXPECT_EQ(ReadTextLines(path)->lines,
              QStringList{QStringLiteral("repotitle=1\uFF5E2\u2225\uFF0D\u2015\uFFE0\uFFE1\uFFE2")});
    EXPECT_EQ(EncodeTextLines({typed}).value(), ReadBytes(path));
}

// The caller can name the character that kept the file from being saved.
TEST(TextFile, FailedWriteNamesTheFirstCharacterThatCannotBeSaved)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("emoji.kq27");
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString high = emoji.left(1);
    const QString low = emoji.right(1);
    const struct {
        QStringList lines;
        QString character;
    } cases[] = {
        {{"OK", "\u301C" + emoji + "\uD55C"}, emoji},  // a surrogate pair, whole
        {{"\u301C\u00A5", emoji}, QStringLiteral("\u00A5")},
        {{"OK", "a" + high}, high},  // lone surrogates
        {{low + "b"}, low},
    };
    for (const auto &c : cases) {
        const TextWriteResult written = WriteTextLines(path, c.lines);
        EXPECT_FALSE(written);
        EXPECT_EQ(written.unencodable, c.character) << c.lines.join('|').toStdString();
        const EncodedLines encoded = EncodeTextLines(c.lines);
        EXPECT_FALSE(encoded.has_value());
        EXPECT_EQ(encoded.unencodable, c.character);
    }
    EXPECT_FALSE(QFile::exists(path));

    const TextWriteResult noFolder = WriteTextLines(dir.filePath("no/such/folder/x.kq27"), {"OK"});
    EXPECT_FALSE(noFolder);
    EXPECT_TRUE(noFolder.unencodable.isEmpty());
}

// Bytes that end inside a double-byte character, or a lead byte followed by a
// byte that cannot complete it, are not CP932 text.
TEST(TextFile, FlagsHalfACharacter)
{
    const struct {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"beep1();\x82", {"beep1();\uFFFD"}},
        {"OK\r\n\x82\r\nEND\r\n", {"OK", "\uFFFD", "END"}},
        {"\x88\x9f\xe0", {"\u4E9C\uFFFD"}},
        {"\xfc\x7f", {"\uFFFD\x7f"}},
    };
    for (const auto &c : cases) {
        const TextFileContent content = DecodeTextLines(c.bytes);
        EXPECT_TRUE(content.hasDecodingErrors) << c.bytes.toHex().toStdString();
        EXPECT_EQ(content.lines, c.lines) << c.bytes.toHex().toStdString();
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("cut.kq27");
    WriteBytes(path, "beep1();\x82");
    EXPECT_TRUE(ReadTextLines(path)->hasDecodingErrors);
}

// Every single byte reads as Windows reads it (0x80 and 0xA0, 0xFD..0xFF and
// the control bytes too) and writes back to itself.
TEST(TextFile, SingleBytesReadAsOnWindowsAndWriteBackUnchanged)
{
    const std::pair<char, char16_t> windows[] = {
        {'\x1a', u'\x1a'},   {'\x1c', u'\x1c'},   {'\x7f', u'\x7f'},   {'\x80', u'\x80'},
        {'\xa0', u'\uf8f0'}, {'\xfd', u'\uf8f1'}, {'\xfe', u'\uf8f2'}, {'\xff', u'\uf8f3'},
        {'\x5c', u'\x5c'},   {'\x7e', u'\x7e'},   {'\xa1', u'\uff61'}, {'\xdf', u'\uff9f'},
    };
    for (const auto &[byte, character] : windows) {
        const TextFileContent content = DecodeTextLines(QByteArray(1, byte));
        EXPECT_FALSE(content.hasDecodingErrors) << int(quint8(byte));
        EXPECT_EQ(content.lines, QStringList{QString(QChar(character))}) << int(quint8(byte));
    }

    QByteArray everySingleByte;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n' && !(byte >= 0x81 && byte <= 0x9f) && !(byte >= 0xe0 && byte <= 0xfc))
            everySingleByte.append(char(byte));
    }
    everySingleByte.append("\x82\xa0\x81\x80\r\n");  // 0xA0 and 0x80 as second bytes
    const TextFileContent content = DecodeTextLines(everySingleByte);
    EXPECT_FALSE(content.hasDecodingErrors);
    ASSERT_EQ(content.lines.size(), 1);
    EXPECT_EQ(content.lines.first().right(2), QStringLiteral("\u3042\u00F7"));
    EXPECT_EQ(EncodeTextLines(content.lines).value(), everySingleByte);
}

// A file above the limit, or a device without end, is refused before it is
// read whole.
TEST(TextFile, RefusesInputAboveTheSizeLimit)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("big.kq27");
    WriteBytes(path, "0123456789\r\n");
    EXPECT_EQ(ReadTextLines(path, 12)->lines, QStringList{"0123456789"});
    EXPECT_FALSE(ReadTextLines(path, 11).has_value());

    QFile big(path);
    ASSERT_TRUE(big.resize(kTextFileSizeLimit + 1));  // sparse: nothing is written
    EXPECT_FALSE(ReadTextLines(path).has_value());
    EXPECT_FALSE(ReadTextLines(QStringLiteral("/dev/zero")).has_value());
    EXPECT_FALSE(ReadTextLines(QStringLiteral("/dev/zero"), 100).has_value());
}

}  // namespace
}  // namespace kq
