#include "default_keywords.h"
#include "editors/text/text_program.h"
#include "editors/text/text_statement.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq {
namespace {

using testing::DefaultKeywords;

TEST(KeywordFile, DefaultFileHasFiftyDistinctKeywordsAndTheTimeLists)
{
    const KeywordFile file = DefaultKeywords();
    QSet<QString> words;
    for (int slot = 1; slot <= kKeywordSlots; ++slot) {
        const QString word = file.KeywordOf(slot);
        words.insert(word);
        EXPECT_EQ(word, file.Line(slot).keyword) << slot;  // lower-case as shipped
        // Block counting looks for these letters: no statement keyword may hold them.
        if (slot != kIfSlot) {
            EXPECT_FALSE(word.contains(u"if") || word.contains(u"else")) << slot;
        }
    }
    EXPECT_EQ(words.size(), kKeywordSlots);
    EXPECT_EQ(file.KeywordOf(kIfSlot), "if");
    for (const int slot : {1, 6}) {
        const QStringList times = file.AllowedValuesOf(slot);
        ASSERT_EQ(times.size(), 127);
        for (int i = 0; i < times.size(); ++i)
            EXPECT_EQ(times[i], ShortestDecimal((i + 1) * 0.25));
    }
    EXPECT_EQ(file.AllowedValuesOf(1).mid(0, 6), (QStringList{"0.25", "0.5", "0.75", "1", "1.25", "1.5"}));
    EXPECT_EQ(ParseKeywordFile(file.ToLines()), file);
}

TEST(KeywordFile, RefusesDamagedFiles)
{
    const QStringList good = DefaultKeywords().ToLines();
    QStringList shortFile = good.mid(0, 49);
    QStringList missingField = good;
    missingField[10] = "0,tone 2,beep2,151";
    QStringList comma = good;
    comma[10] = "0,tone 2,be,ep2,151,";
    QStringList emptyKeyword = good;
    emptyKeyword[10] = "0,tone 2,,151,";
    QStringList textCode = good;
    textCode[10] = "0,tone 2,beep2,abc,";
    for (const QStringList &lines : {shortFile, missingField, comma, emptyKeyword, textCode, QStringList{}})
        EXPECT_FALSE(ParseKeywordFile(lines).has_value());

    // A duplicate keyword loads; the first slot that has it wins.
    QStringList duplicate = good;
    duplicate[10] = "0,tone 2,beep1,151,";
    const std::optional<KeywordFile> file = ParseKeywordFile(duplicate);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(*TranslateText(EditorLines("beep1();"), *file), (QStringList{"START", "5,0,0,0,0,0,0", "END"}));
}

TEST(KeywordFile, ReadersTakeThePerUserCopyFirst)
{
    QTemporaryDir program;
    QTemporaryDir user;
    const Paths paths(program.path() + "/", user.path() + "/");
    EXPECT_EQ(KeywordFilePath(paths), DefaultKeywordFilePath(paths));
    QFile copy(UserKeywordFilePath(paths));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.close();
    EXPECT_EQ(KeywordFilePath(paths), UserKeywordFilePath(paths));
    EXPECT_FALSE(ReadKeywordFile(KeywordFilePath(paths)).has_value());
}

}  // namespace
}  // namespace kq
