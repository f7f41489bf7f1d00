#include "base/text_file.h"
#include "default_keywords.h"
#include "editors/text/lines_to_text.h"
#include "editors/text/text_program.h"
#include "model/encoder.h"
#include "model/program_file.h"

#include <gtest/gtest.h>

namespace kq {
namespace {

// The flowchart tests check the demos' boxes against their program lines;
// here the text step shows those lines as a valid text program.
TEST(FlowchartDemos, ProgramLinesReadAsAValidText)
{
    const KeywordFile keywords = testing::DefaultKeywords();
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        const std::optional<TextFileContent> file =
            ReadTextLines(QStringLiteral(KQ_DATA_DIR "/Data/Demo/fro/demo%1(フロー).kq27").arg(n));
        ASSERT_TRUE(file.has_value());
        const ProgramFileParts parts = SplitProgramFile(file->lines);
        EXPECT_EQ(parts.firstLine, kValidProgramMark);
        ASSERT_EQ(parts.sectionMarker, kFlowchartSectionMarker);
        const ParsedProgramLines parsed = ParseProgramLines(parts.programLines);
        ASSERT_FALSE(parsed.error.has_value());
        EXPECT_LE(ProgramLinesMemoryCount(parsed.instructions, kCurrentGeneration), kMemoryLimit);
        const QStringList text = EditorLines(LinesToText(parsed.instructions, keywords, kCurrentGeneration).value());
        EXPECT_EQ(CheckTextProgram(text, keywords), std::nullopt);
        EXPECT_EQ(TranslateText(text, keywords), parts.programLines);
    }
}

}  // namespace
}  // namespace kq
