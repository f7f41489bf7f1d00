#include "editors/common/step_switch.h"

#include "context/studio_context.h"
#include "editors/common/program_file_commands.h"
#include "model/program_file.h"
#include "base/text_file.h"

#include "editors/test_step.h"
#include "support/fake_waiter.h"
#include "support/recording_dialogs.h"
#include "support/temp_paths.h"
#include "support/file_bytes.h"

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

const QString kRedLamp = QStringLiteral("2,0,255,0,0,4,0");
const QString kTone = QStringLiteral("5,0,0,0,0,0,0");

class StepSwitchTest : public ::testing::Test {
protected:
    StepSwitchTest()
    {
        TestStep &text = windows.Open(3);
        text.instructions = {kRedLamp, kTone};
        text.layout = QStringLiteral("typed");
        windows.events.clear();
        context.reportFields().name = QStringLiteral("太郎");
    }

    QString Cache() const { return temp.paths().TempFolder() + kHandOverFileName; }
    // A cache the flowchart step wrote with its own layout.
    void WriteFlowchartCache(const QStringList &instructions, const QString &name)
    {
        TestStep flowchart(2, kFlowchartSectionMarker);
        flowchart.instructions = instructions;
        flowchart.layout = QStringLiteral("drawn");
        ReportFields report;
        report.name = name;
        ASSERT_TRUE(WriteTextLines(Cache(), ProgramFileLines(flowchart.ProgramLines(), report,
                                                             kFlowchartSectionMarker, flowchart.SectionLines())));
    }

    testing::TempPaths temp;
    RecordingDialogs dialogs;
    testing::FakeWaiter waiter;
    StudioContext context{dialogs, waiter, temp.paths()};
    testing::TestStepWindows windows{context};
};

TEST_F(StepSwitchTest, WritesTheCacheAndOpensTheTargetOnIt)
{
    const QStringList expected =
        ProgramFileLines(windows.Find(3)->ProgramLines(), context.reportFields(), kTextSectionMarker,
                         windows.Find(3)->SectionLines());
    ASSERT_TRUE(SwitchStep(context, windows, *windows.Find(3), 1));

    EXPECT_EQ(windows.events, (QStringList{"close 3 (switch from 3)", "show 1"}));
    EXPECT_EQ(ReadBytes(Cache()), EncodeTextLines(expected).value());
    const TestStep *icons = windows.Find(1);
    ASSERT_TRUE(icons);
    EXPECT_EQ(icons->instructions, (QStringList{kRedLamp, kTone}));
    EXPECT_EQ(icons->layout, "converted");
    EXPECT_TRUE(icons->caption.isEmpty());
    EXPECT_FALSE(context.stepSwitch().underWay);
    EXPECT_TRUE(dialogs.records().isEmpty());
}

// A program that merely passed through a step comes back in its own shape,
// and a stale cache does not overwrite what the pupil typed for the report.
TEST_F(StepSwitchTest, KeepsACacheThatHoldsTheSameProgram)
{
    WriteFlowchartCache({kRedLamp, kTone}, QStringLiteral("古い名前"));
    const QByteArray cache = ReadBytes(Cache());

    ASSERT_TRUE(SwitchStep(context, windows, *windows.Find(3), 2));
    EXPECT_EQ(ReadBytes(Cache()), cache);
    EXPECT_EQ(windows.Find(2)->layout, "drawn");
    EXPECT_EQ(context.reportFields().name, "太郎");
}

TEST_F(StepSwitchTest, RewritesACacheOfAnotherProgram)
{
    WriteFlowchartCache({kTone}, QStringLiteral("古い名前"));

    ASSERT_TRUE(SwitchStep(context, windows, *windows.Find(3), 2));
    const TestStep *flowchart = windows.Find(2);
    EXPECT_EQ(flowchart->instructions, (QStringList{kRedLamp, kTone}));
    EXPECT_EQ(flowchart->layout, "converted");
    EXPECT_EQ(ReadTextLines(Cache())->lines.last(4), (QStringList{"WORDDATA", "layout typed", kRedLamp, kTone}));
}

TEST_F(StepSwitchTest, AnInvalidProgramStaysWhereItIs)
{
    windows.Find(3)->valid = false;
    EXPECT_FALSE(SwitchStep(context, windows, *windows.Find(3), 1));
    EXPECT_EQ(dialogs.texts(Kind::Warning), QStringList{kCannotHandOverMessage});
    EXPECT_TRUE(windows.events.isEmpty());
    EXPECT_FALSE(QFile::exists(Cache()));
    EXPECT_FALSE(context.stepSwitch().underWay);
}

TEST_F(StepSwitchTest, ARefusingTargetSendsTheProgramBackToItsStep)
{
    windows.Find(3)->instructions = {"8,0,0,0,0,0,0", kTone, "21,0,0,0,0,0,0"};

    EXPECT_FALSE(SwitchStep(context, windows, *windows.Find(3), 1));
    EXPECT_EQ(dialogs.records(), (QList<RecordingDialogs::Record>{{Kind::Warning, "no ifs in this step"}}));
    EXPECT_EQ(windows.events, (QStringList{"close 3 (switch from 3)", "show 1", "close 1 (switch from 3)", "show 3"}));
    EXPECT_FALSE(windows.Find(1));
    const TestStep *text = windows.Find(3);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->instructions, (QStringList{"8,0,0,0,0,0,0", kTone, "21,0,0,0,0,0,0"}));
    EXPECT_EQ(text->layout, "typed");
    EXPECT_FALSE(context.stepSwitch().underWay);
}

TEST_F(StepSwitchTest, ACacheThatCannotBeWrittenStopsTheSwitch)
{
    ASSERT_TRUE(QDir().mkpath(Cache()));
    EXPECT_FALSE(SwitchStep(context, windows, *windows.Find(3), 1));
    EXPECT_EQ(dialogs.texts(Kind::Warning), QStringList{kReadFailedMessage});
    EXPECT_TRUE(windows.events.isEmpty());
    EXPECT_EQ(windows.Find(3)->instructions, (QStringList{kRedLamp, kTone}));
}

}  // namespace
}  // namespace kq
