#include "editors/common/step_recovery.h"

#include "base/recovery_copy.h"
#include "base/text_file.h"
#include "context/studio_context.h"
#include "editors/common/program_file_commands.h"

#include "editors/test_step.h"
#include "support/test_context.h"

#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

namespace kq {
namespace {

using testing::RecordingDialogs;
using testing::TestStep;
using Kind = RecordingDialogs::Kind;

using testing::kRedLamp;

class StepRecoveryCopy : public ::testing::Test, protected testing::TestContext {
protected:
    // The step's copy in this program's folder, when there is one.
    std::optional<RecoveryCopy> Copy() const
    {
        QDirIterator files(temp.Paths().TempFolder(), {QStringLiteral("STEP3.copy")}, QDir::Files,
                           QDirIterator::Subdirectories);
        if (!files.hasNext())
            return std::nullopt;
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        return ParseRecoveryCopy(file.readAll());
    }

    TestStep step{Step::Text, kTextSectionMarker};
    testing::TestHost host;
    StepRecovery recovery{context, step, host};
};

TEST_F(StepRecoveryCopy, IsTheSavedFormOfAnInvalidProgramWithoutShowingItsChecks)
{
    step.valid = false;
    step.SetInstructions({kRedLamp});
    EXPECT_FALSE(Copy());  // due within the second, not yet
    recovery.Writer().Flush();

    const std::optional<RecoveryCopy> copy = Copy();
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->window, QStringLiteral("STEP3"));
    EXPECT_TRUE(copy->filePath.isEmpty());
    EXPECT_EQ(copy->body, EncodeTextLines(QuietProgramFile(context, step)).value());
    EXPECT_TRUE(copy->body.startsWith("NG\r\n"));
    EXPECT_TRUE(dialogs.Records().isEmpty());
}

TEST_F(StepRecoveryCopy, KeepsTheWorkAroundACharacterTheFileCannotHold)
{
    step.layout = QStringLiteral("typed 🎵 on");
    step.SetInstructions({kRedLamp});
    recovery.Writer().Flush();

    const std::optional<RecoveryCopy> copy = Copy();
    ASSERT_TRUE(copy);
    const QStringList lines = DecodeTextLines(copy->body).lines;
    EXPECT_TRUE(lines.contains(QStringLiteral("layout typed ? on")));
    EXPECT_TRUE(lines.contains(kRedLamp));
}

TEST_F(StepRecoveryCopy, GoesWithASaveAndWithTheLastInstruction)
{
    step.SetInstructions({kRedLamp});
    recovery.Writer().Flush();
    ASSERT_TRUE(Copy());
    emit step.Saved();
    EXPECT_FALSE(Copy());

    step.SetInstructions({kRedLamp, kRedLamp});
    recovery.Writer().Flush();
    ASSERT_TRUE(Copy());
    // Nothing left to lose: the copy goes at once and none is due.
    step.SetInstructions({});
    EXPECT_FALSE(Copy());
    EXPECT_FALSE(recovery.Writer().IsDue());
}

TEST_F(StepRecoveryCopy, ANormalCloseRemovesItAndASwitchKeepsItUpToDate)
{
    step.SetInstructions({kRedLamp});
    context.StepSwitch() = {true, Step::Text};
    recovery.Closed();
    ASSERT_TRUE(Copy());
    EXPECT_FALSE(recovery.Writer().IsDue());

    context.StepSwitch() = {};
    recovery.Closed();
    EXPECT_FALSE(Copy());
}

}  // namespace
}  // namespace kq
