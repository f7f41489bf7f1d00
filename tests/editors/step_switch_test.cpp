#include "editors/common/step_switch.h"

#include "context/studio_context.h"
#include "editors/common/program_file_commands.h"
#include "model/program_file.h"
#include "base/text_file.h"

#include "editors/test_step.h"
#include "support/file_bytes.h"
#include "support/test_context.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace kq {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

using testing::RecordingDialogs;
using testing::TestStep;
using Kind = RecordingDialogs::Kind;

using testing::kRedLamp;
const QString kTone = QStringLiteral("5,0,0,0,0,0,0");

class StepSwitchTest : public ::testing::Test, protected testing::TestContext {
protected:
    StepSwitchTest()
    {
        TestStep &text = windows.Open(Step::Text);
        text.instructions = {kRedLamp, kTone};
        text.layout = QStringLiteral("typed");
        windows.events.clear();
        ReportFields fields;
        fields.name = QStringLiteral("太郎");
        context.ReportFields().Set(fields);
    }

    bool SwitchFromText(Step target) { return SwitchStep(context, windows, windows.EditorOf(Step::Text), target); }

    QString Cache() const { return temp.Paths().TempFolder() + kHandOverFileName; }
    // A cache a step wrote with its own layout.
    void WriteCache(Step step, const QString &marker, const QStringList &instructions, const QString &name)
    {
        TestStep writer(step, marker);
        writer.instructions = instructions;
        writer.layout = QStringLiteral("drawn");
        ReportFields report;
        report.name = name;
        ASSERT_TRUE(WriteTextLines(
            Cache(), ProgramFileLines(writer.ProgramLines().lines, report, marker, writer.SectionLines())));
    }
    void WriteFlowchartCache(const QStringList &instructions, const QString &name)
    {
        WriteCache(Step::Flowchart, kFlowchartSectionMarker, instructions, name);
    }

    testing::TestStepWindows windows{context};
};

TEST_F(StepSwitchTest, WritesTheCacheAndOpensTheTargetOnIt)
{
    const QStringList expected =
        ProgramFileLines(windows.Find(Step::Text)->ProgramLines().lines, context.ReportFields().Value(), kTextSectionMarker,
                         windows.Find(Step::Text)->SectionLines());
    ASSERT_TRUE(SwitchFromText(Step::Icons));

    EXPECT_EQ(windows.events, (QStringList{"close 3 (switch from 3)", "show 1"}));
    EXPECT_EQ(ReadBytes(Cache()), EncodeTextLines(expected).value());
    const TestStep *icons = windows.Find(Step::Icons);
    ASSERT_TRUE(icons);
    EXPECT_EQ(icons->instructions, (QStringList{kRedLamp, kTone}));
    EXPECT_EQ(icons->layout, "converted");
    EXPECT_TRUE(static_cast<testing::TestHost *>(windows.EditorOf(Step::Icons).host)->caption.isEmpty());
    EXPECT_FALSE(context.StepSwitch().underWay);
    EXPECT_TRUE(dialogs.Records().isEmpty());
}

// A program that merely passed through a step comes back in its own shape,
// and a stale cache does not overwrite what the pupil typed for the report.
TEST_F(StepSwitchTest, KeepsACacheThatHoldsTheSameProgram)
{
    WriteFlowchartCache({kRedLamp, kTone}, QStringLiteral("古い名前"));
    const QByteArray cache = ReadBytes(Cache());

    ASSERT_TRUE(SwitchFromText(Step::Flowchart));
    EXPECT_EQ(ReadBytes(Cache()), cache);
    EXPECT_EQ(windows.Find(Step::Flowchart)->layout, "drawn");
    EXPECT_EQ(context.ReportFields().Value().name, "太郎");
}

// The step that wrote the cache may have changed what the program lines do
// not show since (a comment, a box's place): its own older cache goes.
TEST_F(StepSwitchTest, RewritesItsOwnCacheOfTheSameProgram)
{
    WriteCache(Step::Text, kTextSectionMarker, {kRedLamp, kTone}, QStringLiteral("古い名前"));

    ASSERT_TRUE(SwitchFromText(Step::Flowchart));
    EXPECT_EQ(windows.Find(Step::Flowchart)->layout, "converted");
    const ProgramFileParts cache = SplitProgramFile(ReadTextLines(Cache())->lines);
    EXPECT_EQ(cache.section, (QStringList{"layout typed", kRedLamp, kTone}));
    EXPECT_EQ(cache.report.name, "太郎");
}

TEST_F(StepSwitchTest, RewritesACacheOfAnotherProgram)
{
    WriteFlowchartCache({kTone}, QStringLiteral("古い名前"));

    ASSERT_TRUE(SwitchFromText(Step::Flowchart));
    const TestStep *flowchart = windows.Find(Step::Flowchart);
    EXPECT_EQ(flowchart->instructions, (QStringList{kRedLamp, kTone}));
    EXPECT_EQ(flowchart->layout, "converted");
    EXPECT_EQ(ReadTextLines(Cache())->lines.last(4), (QStringList{"WORDDATA", "layout typed", kRedLamp, kTone}));
}

TEST_F(StepSwitchTest, AnInvalidProgramStaysWhereItIs)
{
    windows.Find(Step::Text)->valid = false;
    EXPECT_FALSE(SwitchFromText(Step::Icons));
    EXPECT_EQ(dialogs.Texts(Kind::Warning), (QStringList{TestStep::kCheckMessage.text, kCannotHandOverMessage}));
    EXPECT_TRUE(windows.events.isEmpty());
    EXPECT_FALSE(QFile::exists(Cache()));
    EXPECT_FALSE(context.StepSwitch().underWay);
}

TEST_F(StepSwitchTest, ARefusingTargetSendsTheProgramBackToItsStep)
{
    windows.Find(Step::Text)->instructions = {"8,0,0,0,0,0,0", kTone, "21,0,0,0,0,0,0"};

    EXPECT_FALSE(SwitchFromText(Step::Icons));
    EXPECT_EQ(dialogs.Records(), (QList<RecordingDialogs::Record>{{Kind::Warning, "no ifs in this step"}}));
    EXPECT_EQ(windows.events, (QStringList{"close 3 (switch from 3)", "show 1", "close 1 (switch from 3)", "show 3"}));
    EXPECT_FALSE(windows.Find(Step::Icons));
    const TestStep *text = windows.Find(Step::Text);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->instructions, (QStringList{"8,0,0,0,0,0,0", kTone, "21,0,0,0,0,0,0"}));
    EXPECT_EQ(text->layout, "typed");
    EXPECT_FALSE(context.StepSwitch().underWay);
}

TEST_F(StepSwitchTest, ACacheThatCannotBeWrittenStopsTheSwitch)
{
    ASSERT_TRUE(QDir().mkpath(Cache()));
    EXPECT_FALSE(SwitchFromText(Step::Icons));
    EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList{kSaveFailedMessage});
    EXPECT_TRUE(windows.events.isEmpty());
    EXPECT_EQ(windows.Find(Step::Text)->instructions, (QStringList{kRedLamp, kTone}));
}

}  // namespace
}  // namespace kq
