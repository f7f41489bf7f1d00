#include "base/text_file.h"
#include "tool_runner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq {
namespace {

using testing::RunTool;
using testing::ToolRun;

class SimulateTest : public ::testing::Test {
protected:
    QString Write(const QStringList &lines)
    {
        const QString path = m_dir.filePath(QStringLiteral("program.txt"));
        EXPECT_TRUE(WriteTextLines(path, lines));
        return path;
    }

    QTemporaryDir m_dir;
};

// A timer of 2 s, a wait for the switch, then a red lamp of 0.5 s three times.
const QStringList kLoopProgram{"START",          "6,0,2,0,0,0,0",   "7,1,0,0,0,0,0", "9,0,3,0,0,0,0",
                               "2,0,255,0,0,2,0", "9,1,0,0,0,0,0", "END"};

TEST_F(SimulateTest, PrintsEveryInstructionAtItsVirtualTime)
{
    const ToolRun run = RunTool({"simulate", Write(kLoopProgram), "--events", "3,2"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, (QStringList{"0 0 230", "0 2 160", "2000 5 171", "wait 2", "2000 7 190", "2000 10 126",
                                    "2500 15 191", "2500 10 126", "3000 15 191", "3000 10 126", "3500 15 191",
                                    "3500 17 231", "end 3500"}));
}

TEST_F(SimulateTest, StopsWhenTheEventsAreUsedUpOnAWait)
{
    const ToolRun run = RunTool({"simulate", Write(kLoopProgram), "--events", "3,1"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, (QStringList{"0 0 230", "0 2 160", "2000 5 171", "wait 2", "stopped"}));
}

TEST_F(SimulateTest, SensorsChooseTheBranches)
{
    // if the switch is pressed: a confirmation tone; else nothing.
    const QString path = Write({"START", "8,0,0,0,0,0,0", "5,0,0,0,0,0,0", "20,0,0,0,0,0,0", "21,0,0,0,0,0,0", "END"});
    const ToolRun pressed = RunTool({"simulate", path, "--switch", "on"});
    EXPECT_EQ(pressed.out.last(), "end 2000");
    const ToolRun released = RunTool({"simulate", path});
    EXPECT_EQ(released.out.last(), "end 0");
}

TEST_F(SimulateTest, BadArgumentsAndInvalidPrograms)
{
    const QString path = Write(kLoopProgram);
    for (const QStringList &arguments :
         {QStringList{"simulate", path, "--temp", "41"}, QStringList{"simulate", path, "--switch", "yes"},
          QStringList{"simulate", path, "--light"}, QStringList{"simulate", path, "--events", "8"},
          QStringList{"simulate"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty());
    }
    const ToolRun invalid = RunTool({"simulate", Write({"START", "10,0,1,0,0,0,0", "END"})});
    EXPECT_EQ(invalid.exitCode, 1);
    EXPECT_TRUE(invalid.out.isEmpty());
}

}  // namespace
}  // namespace kq
