#include "default_keywords.h"
#include "repeated_lines.h"
#include "editors/text/lines_to_text.h"
#include "editors/text/text_program.h"
#include "model/instruction_table.h"

#include <gtest/gtest.h>

namespace kq {
namespace {

using testing::DefaultKeywords;

struct TextCase {
    const char *text;  // lines separated by "\n"
    // The check's message, or the translation between START and END joined by "|".
    std::optional<QString> message;
    const char *lines = "";
};

const TextCase kCases[] = {
    {"LEDON(255, 0, 0, 1);  // red", {}, "2,0,255,0,0,4,0"},
    {"ledon(1,2,3,31.75);", {}, "2,0,1,2,3,127,0"},
    {"ledon(1,2,3,32);", kSyntaxErrorMessage},
    {"ledon(1,2,3,0.3);", kSyntaxErrorMessage},
    {"ledon(256,0,0,1);", kSyntaxErrorMessage},
    {"beep1();", {}, "5,0,0,0,0,0,0"},
    {"beep1(5);", kSyntaxErrorMessage},
    {"beep1()", kSyntaxErrorMessage},
    {"beep1();;", kSyntaxErrorMessage},
    {"beep1();x", kSyntaxErrorMessage},
    {"beep1", kSyntaxErrorMessage},
    {"\tbeep1();", kSyntaxErrorMessage},
    {"\u3000beep1();", kSyntaxErrorMessage},
    {"beep1(();", kSyntaxErrorMessage},
    {"  // only a comment\n\n   ", {}, ""},
    {"", {}, ""},
    {"backlighttime(100,1);", {}, "4,0,100,4,0,0,0"},
    {"backlighttime(100,1,);", kSyntaxErrorMessage},
    {"backlighttime(0,1);", kSyntaxErrorMessage},
    {"advancetime(2.5,10);", {}, "13,0,25,10,0,0,0"},
    {"advancetime(0.1,1);", {}, "13,0,1,1,0,0,0"},
    {"advancetime(2.55,10);", kSyntaxErrorMessage},
    {"advancetime(0,10);", kSyntaxErrorMessage},
    {"advancetime(25.6,10);", kSyntaxErrorMessage},
    {"advancetime(abc,10);", kSyntaxErrorMessage},
    {"advancetime(1e1,10);", kSyntaxErrorMessage},
    {"timerstop(99999999999);", kSyntaxErrorMessage},
    {"timerstop($ff);", {}, "6,0,255,0,0,0,0"},
    {"timerstop(-0);", kSyntaxErrorMessage},
    {"timerstop(x);", kSyntaxErrorMessage},
    {"fullledconti(White);", {}, "3,0,6,0,0,0,0"},
    {"fullledconti(lightblue);", {}, "3,0,5,0,0,0,0"},
    {"fullledconti(pink);", kSyntaxErrorMessage},
    {"fadein(1,2,3);", {}, "2,1,1,2,3,4,0"},
    {"timertemp(10,25);", {}, "6,5,10,25,0,0,0"},
    {"timerlightvalue(10,50);", {}, "6,3,10,50,0,0,0"},
    {"timerbright(10);", {}, "6,3,10,0,0,0,0"},
    {"brightwait();", {}, "7,2,0,0,0,0,0"},
    {"darkvaluewait(30);", {}, "7,3,30,0,0,0,0"},
    {"advancestart();", {}, "13,4,50,0,0,0,0"},
    {"motortime(3);", {}, "12,1,3,0,0,0,0"},
    {"if(temp>abc){\n}", kSyntaxErrorMessage},
    {"if(temp>25){\nbeep1();\n}", {}, "8,4,25,0,0,0,0|5,0,0,0,0,0,0|20,2,0,0,0,0,0|21,2,0,0,0,0,0"},
    {"if(cds<100){\n}\nelse{\nbeep2();\n}", {}, "8,3,100,0,0,0,0|20,1,0,0,0,0,0|5,1,0,0,0,0,0|21,1,0,0,0,0,0"},
    {"if(cds>101){\n}", kSyntaxErrorMessage},
    {"if(cds=on){\n}", kSyntaxErrorMessage},
    {"if(sw=on);", kSyntaxErrorMessage},
    {"if(sw=on){\n}else{\n}", kSyntaxErrorMessage},
    {"else{\n}", kConditionalErrorMessage},
    {"if(sw=on){\nbeep1();", kConditionalErrorMessage},
    {"}", kConditionalErrorMessage},
    {"if(sw=on){\n}\n}", kConditionalErrorMessage},
    {"if(temp>x){\n}\ngettempx();", kVariableXErrorMessage},
    {"gettempx();\nif(temp=x){\n}", {}, "11,0,0,0,0,0,0|8,9,0,0,0,0,0|20,2,0,0,0,0,0|21,2,0,0,0,0,0"},
    {"loopstart(3);\nbeep1();\nloopend();\nloopstart(2);\nloopend();", {},
     "9,0,3,0,0,0,0|5,0,0,0,0,0,0|9,1,0,0,0,0,0|9,0,2,0,0,0,0|9,1,0,0,0,0,0"},
    {"loopstart(3);\nloopstart(2);\nloopend();\nloopend();", kLoopErrorMessage},
    {"loopstart(3);\nif(sw=on){\nloopend();\n}", kLoopErrorMessage},
    {"if(sw=on){\nloopstart(3);\n}\nloopend();", kLoopErrorMessage},
    {"loopend();", kLoopErrorMessage},
    {"loopstart(1);", kLoopErrorMessage},
    {"if(sw=on){\nloopstart(3);\nloopend();\n}", {}, "8,0,0,0,0,0,0|9,0,3,0,0,0,0|9,1,0,0,0,0,0|20,0,0,0,0,0,0|21,0,0,0,0,0,0"},
};

QStringList Lines(const char *text)
{
    return EditorLines(QString::fromUtf8(text));
}

TEST(TextProgram, ChecksAndTranslatesEachCase)
{
    const KeywordFile keywords = DefaultKeywords();
    for (const TextCase &c : kCases) {
        SCOPED_TRACE(c.text);
        const QStringList lines = Lines(c.text);
        EXPECT_EQ(CheckTextProgram(lines, keywords), c.message);
        if (c.message)
            continue;
        const std::optional<QStringList> translation = TranslateText(lines, keywords);
        ASSERT_TRUE(translation.has_value());
        EXPECT_EQ(translation->first(), kStartLine);
        EXPECT_EQ(translation->last(), kEndLine);
        EXPECT_EQ(translation->mid(1, translation->size() - 2).join(QLatin1Char('|')), QString::fromUtf8(c.lines));
    }
}

using testing::RepeatedLines;

TEST(TextProgram, CountsEveryNonEmptyLineUpToSixty)
{
    const KeywordFile keywords = DefaultKeywords();
    EXPECT_EQ(CheckTextProgram(EditorLines(RepeatedLines("beep1();", 60) + QStringLiteral("\n// note\n")), keywords),
              std::nullopt);
    EXPECT_EQ(CheckTextProgram(EditorLines(RepeatedLines("beep1();", 61)), keywords), kTooManyStatementsMessage);
    // Hundreds of lines stop at the count, before any statement is parsed.
    EXPECT_EQ(CheckTextProgram(EditorLines(RepeatedLines("(((", 500)), keywords), kTooManyStatementsMessage);

    // 59 statements need 61 entries: the table refuses them instead of growing past 60.
    const std::optional<QStringList> lines = TranslateText(EditorLines(RepeatedLines("beep1();", 59)), keywords);
    ASSERT_TRUE(lines.has_value());
    const ParsedProgramLines parsed = ParseProgramLines(*lines);
    ASSERT_FALSE(parsed.error.has_value());
    EXPECT_FALSE(BuildInstructionTable(parsed.instructions).has_value());
}

TEST(TextProgram, NestedConditionalsContinueAfterTheirWholeBlock)
{
    const KeywordFile keywords = DefaultKeywords();
    const QStringList lines = Lines("if(sw=on){\nif(cds>50){\nbeep1();\n}\nelse{\nbeep2();\n}\n}\nelse{\nbeep3();\n}\n"
                                    "if(sw=off){\nbeep1();\n}\nelse{\nbeep2();\n}");
    ASSERT_EQ(CheckTextProgram(lines, keywords), std::nullopt);
    const ParsedProgramLines parsed = ParseProgramLines(*TranslateText(lines, keywords));
    ASSERT_FALSE(parsed.error.has_value());
    const std::optional<InstructionTable> table = BuildInstructionTable(parsed.instructions);
    ASSERT_TRUE(table.has_value());
    // 0 start, 1 if sw=on, 2 if cds, 3 beep1, 4 beep2, 5 beep3, 6 if sw=off, 7 beep1, 8 beep2, 9 end
    const auto &e = table->entries;
    ASSERT_EQ(e.size(), 10u);
    EXPECT_EQ(e[1].next, 2);
    EXPECT_EQ(e[1].branch, 5);
    EXPECT_EQ(e[2].branch, 4);
    EXPECT_EQ(e[3].next, 6);
    EXPECT_EQ(e[4].next, 6);
    EXPECT_EQ(e[5].next, 6);
    EXPECT_EQ(e[7].next, 9);
    EXPECT_EQ(e[8].next, 9);
}

TEST(TextProgram, LettersIfAndElseInAChangedKeywordOpenABlock)
{
    KeywordFile keywords = DefaultKeywords();
    keywords.lines[8].keyword = QStringLiteral("Beeplife");  // slot 9
    EXPECT_EQ(CheckTextProgram(Lines("BEEPLIFE();"), keywords), kConditionalErrorMessage);
    keywords.lines[8].keyword = QStringLiteral("pi");
    EXPECT_EQ(CheckTextProgram(Lines("PI();"), keywords), std::nullopt);
    EXPECT_EQ(*TranslateText(Lines("pi();"), keywords), (QStringList{"START", "5,0,0,0,0,0,0", "END"}));
    EXPECT_EQ(CheckTextProgram(Lines("beep1();"), keywords), kSyntaxErrorMessage);
}

std::vector<ProgramLine> Parsed(const QStringList &lines)
{
    const ParsedProgramLines parsed = ParseProgramLines(lines);
    EXPECT_FALSE(parsed.error.has_value()) << parsed.error->reason.toStdString();
    return parsed.instructions;
}

// Every kind and variant the text can say, in both generations.
QStringList EveryInstruction(int generation)
{
    QStringList lines = {"START", "2,0,255,0,0,6,0", "2,1,1,2,3,4,0", "2,2,4,5,6,4,0"};
    for (int k = 0; k <= 6; ++k)
        lines << QStringLiteral("3,0,%1,0,0,0,0").arg(k);
    lines << "3,1,0,0,0,0,0" << "4,0,100,127,0,0,0" << "4,1,0,0,0,0,0" << "4,2,0,0,0,0,0";
    for (int v = 0; v <= 5; ++v)
        lines << QStringLiteral("5,%1,0,0,0,0,0").arg(v);
    for (int v = 0; v <= 5; ++v) {
        const bool two = v == 5 || (generation == kCurrentGeneration && (v == 3 || v == 4));
        lines << QStringLiteral("6,%1,9,%2,0,0,0").arg(v).arg(two ? 30 : 0);
    }
    for (int v = 0; v <= 6; ++v) {
        const bool one = v == 4 || (generation == kCurrentGeneration && (v == 2 || v == 3));
        lines << QStringLiteral("7,%1,%2,0,0,0,0").arg(v).arg(one ? 20 : 0);
    }
    lines << "11,0,0,0,0,0,0";
    for (int v = 0; v <= 9; ++v) {
        if (generation == kOlderGeneration && (v == 2 || v == 3))
            continue;
        const bool number = (v >= 2 && v <= 6);
        lines << QStringLiteral("8,%1,%2,0,0,0,0").arg(v).arg(number ? 40 : 0) << "5,0,0,0,0,0,0";
        const int group = ConditionGroupOf(v);
        if (v % 2 == 0)
            lines << QStringLiteral("20,%1,0,0,0,0,0").arg(group) << "5,1,0,0,0,0,0";
        else
            lines << QStringLiteral("20,%1,0,0,0,0,0").arg(group);
        lines << QStringLiteral("21,%1,0,0,0,0,0").arg(group);
    }
    lines << "9,0,255,0,0,0,0" << "9,1,0,0,0,0,0";
    for (int v = 0; v <= 6; ++v)
        lines << QStringLiteral("12,%1,%2,0,0,0,0").arg(v).arg((v == 1 || v == 4) ? 7 : 0);
    lines << "13,0,25,10,0,0,0" << "13,1,255,1,0,0,0" << "13,2,0,0,0,0,0" << "13,3,0,0,0,0,0"
          << "13,4,50,0,0,0,0" << "13,5,50,0,0,0,0" << "13,6,50,0,0,0,0" << "13,7,0,0,0,0,0" << "END";
    return lines;
}

TEST(LinesToText, RoundTripsEveryInstructionInBothGenerations)
{
    const KeywordFile keywords = DefaultKeywords();
    for (const int generation : {kCurrentGeneration, kOlderGeneration}) {
        SCOPED_TRACE(generation);
        QStringList lines = EveryInstruction(generation);
        const std::optional<QString> text = LinesToText(Parsed(lines), keywords, generation);
        ASSERT_TRUE(text.has_value());
        const QStringList editor = EditorLines(*text);
        // The check's count is of no interest here: the program is long on purpose.
        const std::optional<QStringList> back = TranslateText(editor, keywords);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, lines);
    }
}

TEST(LinesToText, WritesTheForms)
{
    const KeywordFile keywords = DefaultKeywords();
    const auto text = [&](const QStringList &lines, int generation = kCurrentGeneration) {
        return LinesToText(Parsed(QStringList{"START"} + lines + QStringList{"END"}), keywords, generation).value();
    };
    EXPECT_EQ(text({"2,0,255,0,0,6,0", "13,0,25,10,0,0,0", "3,0,7,0,0,0,0"}),
              "ledon(255,0,0,1.5);\r\nadvancetime(2.5,10);\r\nfullledconti(White);\r\n");
    EXPECT_EQ(text({"5,0,0,0,0,0,0", "8,0,0,0,0,0,0", "5,1,0,0,0,0,0", "20,0,0,0,0,0,0", "5,2,0,0,0,0,0",
                    "21,0,0,0,0,0,0"}),
              "beep1();\r\nif(sw=on){\r\nbeep2();\r\n}\r\nelse{\r\nbeep3();\r\n}\r\n");
    // The older clocks' brightness forms are not in the grammar: shown, then refused by the check.
    const QString older = text({"8,2,50,0,0,0,0", "20,1,0,0,0,0,0", "21,1,0,0,0,0,0", "6,3,9,0,0,0,0"}, kOlderGeneration);
    EXPECT_EQ(older, "if(cds=on){\r\n}\r\nelse{\r\n}\r\ntimerbright(9);\r\n");
    EXPECT_EQ(CheckTextProgram(EditorLines(older), keywords), kSyntaxErrorMessage);
    EXPECT_FALSE(TranslateText(EditorLines(older), keywords).has_value());
}

TEST(LinesToText, UsesTheKeywordsAsWrittenInTheFile)
{
    KeywordFile keywords = DefaultKeywords();
    keywords.lines[0].keyword = QStringLiteral("Hikari");
    const QString text = LinesToText(Parsed({"START", "2,0,1,2,3,1,0", "END"}), keywords, kCurrentGeneration).value();
    EXPECT_EQ(text, "Hikari(1,2,3,0.25);\r\n");
    EXPECT_EQ(*TranslateText(EditorLines(text), keywords), (QStringList{"START", "2,0,1,2,3,1,0", "END"}));
}

}  // namespace
}  // namespace kq
