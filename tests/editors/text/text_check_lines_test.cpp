#include "default_keywords.h"
#include "repeated_lines.h"
#include "editors/text/text_program.h"

#include <gtest/gtest.h>

namespace kq {
namespace {

using testing::DefaultKeywords;

using testing::RepeatedLines;

struct LineCase {
    QString text;
    std::optional<TextCheckFailure> failure;
};

// Blank and comment lines count, so the line is the one the pupil sees
// numbered in the editor.
const LineCase kLineCases[] = {
    {"beep1();\n\n// fine", std::nullopt},
    // count: the first line past the sixtieth statement
    {"// head\n\n" + RepeatedLines("beep1();", 61), TextCheckFailure{kTooManyStatementsMessage, 63}},
    {RepeatedLines("(((", 500), TextCheckFailure{kTooManyStatementsMessage, 61}},
    // syntax
    {"beep1();\n\n  // note\nbeep1(5);\nbeep2(5);", TextCheckFailure{kSyntaxErrorMessage, 4}},
    {"beep1();\r\n\r\nbeep1(5);", TextCheckFailure{kSyntaxErrorMessage, 3}},
    {"if(sw=on){\n}else{\n}", TextCheckFailure{kSyntaxErrorMessage, 2}},
    // block balance: the closing line too many, else the opening line left open
    {"beep1();\n}", TextCheckFailure{kConditionalErrorMessage, 2}},
    {"if(sw=on){\nbeep1();", TextCheckFailure{kConditionalErrorMessage, 1}},
    {"if(sw=on){\n}\n\nif(sw=off){\nbeep1();", TextCheckFailure{kConditionalErrorMessage, 4}},
    {"if(sw=on){\nif(sw=off){\n}\nbeep1();", TextCheckFailure{kConditionalErrorMessage, 1}},
    // block order
    {"// else first\nelse{\n}", TextCheckFailure{kConditionalErrorMessage, 2}},
    {"if(sw=on){\n}\nbeep1();\nelse{\n}", TextCheckFailure{kConditionalErrorMessage, 4}},
    {"if(sw=on){\n}\nelse{\n}\nelse{\n}", TextCheckFailure{kConditionalErrorMessage, 5}},
    // loops: the misplaced start, end or block end, else the start left open
    {"loopstart(3);\nloopstart(2);\nloopend();\nloopend();", TextCheckFailure{kLoopErrorMessage, 2}},
    {"loopstart(3);\nif(sw=on){\nloopend();\n}", TextCheckFailure{kLoopErrorMessage, 3}},
    {"if(sw=on){\nloopstart(3);\n}\nloopend();", TextCheckFailure{kLoopErrorMessage, 3}},
    {"beep1();\nloopend();", TextCheckFailure{kLoopErrorMessage, 2}},
    {"beep1();\n\nloopstart(1);\nbeep1();", TextCheckFailure{kLoopErrorMessage, 3}},
    // variable x: the conditional that reads it first
    {"beep1();\nif(temp>x){\n}\ngettempx();", TextCheckFailure{kVariableXErrorMessage, 2}},
    {"if(sw=on){\n}\n// x\nif(temp<x){\n}", TextCheckFailure{kVariableXErrorMessage, 4}},
};

TEST(TextCheckLines, EachCheckNamesTheLineItFailsAt)
{
    const KeywordFile keywords = DefaultKeywords();
    for (const LineCase &c : kLineCases) {
        SCOPED_TRACE(c.text.left(60).toStdString());
        const QStringList lines = EditorLines(c.text);
        EXPECT_EQ(FirstFailingCheck(lines, keywords), c.failure);
        // The message is the same with or without its line.
        EXPECT_EQ(CheckTextProgram(lines, keywords),
                  c.failure ? std::optional<QString>(c.failure->message) : std::nullopt);
    }
}

TEST(TextCheckLines, AChangedKeywordHoldingIfIsTheOpeningLineLeftOpen)
{
    KeywordFile keywords = DefaultKeywords();
    keywords.lines[9].keyword = QStringLiteral("Beeplife");  // slot 10
    EXPECT_EQ(FirstFailingCheck(EditorLines("beep1();\n\nBEEPLIFE();\nbeep1();"), keywords),
              (TextCheckFailure{kConditionalErrorMessage, 3}));
}

}  // namespace
}  // namespace kq
