#include "base/text_file.h"
#include "editors/common/program_file_commands.h"
#include "editors/icon/icon_document.h"
#include "editors/icon/icon_program.h"
#include "editors/test_step.h"
#include "model/program_file.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <functional>

namespace kq::testing {
namespace {

using Kind = RecordingDialogs::Kind;

class IconHistoryTest : public ::testing::Test {
protected:
    IconHistoryTest()
    {
        // A row with a lamp, a fading lamp, a timer and a tone to edit.
        document.Drop(0, 0);
        document.SetValue(0, 6);
        document.Drop(2, 1);
        document.SetChoice(1, 1);
        document.Drop(kTimerIcon, 2);
        document.Drop(kToneIcon, 4);
        document.ClearHistory();
    }

    QString WriteFile(const QString &name, const QStringList &section)
    {
        const QString path = test.temp.Root() + "/" + name;
        EXPECT_TRUE(
            WriteTextLines(path, QStringList {"OK"} + QStringList(9, "reponame=") + QStringList {"DDDATA"} + section));
        return path;
    }

    TestContext test;
    IconDocument document {test.context.Generation()};
    TestHost host;
};

TEST_F(IconHistoryTest, EveryGestureIsUndoneAndRedone)
{
    struct Case {
        const char *name;
        std::function<void(IconDocument &)> edit;
    };
    const Case cases[] = {
        {"drop on an empty slot", [](IconDocument &d) { d.Drop(kRepeatStartIcon, 3); }},
        {"drop over an icon", [](IconDocument &d) { d.Drop(kWaitSoundIcon, 0); }},
        {"insert", [](IconDocument &d) { d.Drop(kInsertToolIcon, 0); }},
        {"delete", [](IconDocument &d) { d.Drop(kDeleteToolIcon, 1); }},
        {"recolour a fade to off", [](IconDocument &d) { d.Recolour(1, kLampOffIcon); }},
        {"recolour", [](IconDocument &d) { d.Recolour(0, 5); }},
        {"choice", [](IconDocument &d) { d.SetChoice(0, 2); }},
        {"choice of the tone", [](IconDocument &d) { d.SetChoice(4, 3); }},
        {"slider", [](IconDocument &d) { d.SetValue(2, 200); }},
        {"paste",
         [](IconDocument &d) {
             d.Copy(0);
             d.Paste(7);
         }},
        {"clear all", [](IconDocument &d) { d.Clear(); }},
    };
    for (const Case &c : cases) {
        const IconRow before = document.Row();
        c.edit(document);
        const IconRow after = document.Row();
        ASSERT_NE(after, before) << c.name;

        int changes = 0;
        const QMetaObject::Connection counting =
            QObject::connect(&document, &StepDocument::Changed, [&changes] { ++changes; });
        document.Undo();
        EXPECT_EQ(document.Row(), before) << c.name;
        document.Redo();
        EXPECT_EQ(document.Row(), after) << c.name;
        EXPECT_EQ(changes, 2) << c.name;
        QObject::disconnect(counting);

        document.Undo();
        document.ClearHistory();
    }
}

TEST_F(IconHistoryTest, TenStepsBackAndANewEditEndsTheRedo)
{
    const IconRow start = document.Row();
    QList<IconRow> rows;
    for (int slot = 5; slot < 16; ++slot) {
        rows.append(document.Row());
        document.Drop(kSignalOutputIcon, slot);
    }
    const IconRow last = document.Row();
    for (int step = 0; step < 12; ++step)
        document.Undo();
    // Eleven edits: the first is forgotten.
    EXPECT_EQ(document.History().UndoCount(), 0);
    EXPECT_EQ(document.Row(), rows[1]);
    EXPECT_NE(document.Row(), start);
    for (int step = 0; step < 12; ++step)
        document.Redo();
    EXPECT_EQ(document.Row(), last);

    document.Undo();
    document.Undo();
    document.Drop(kWaitSoundIcon, 20);
    EXPECT_EQ(document.History().RedoCount(), 0);
    document.Redo();
    EXPECT_TRUE(document.Row().At(20));
}

TEST_F(IconHistoryTest, OneSliderDragIsOneStepAndNothingChangedIsNone)
{
    const IconRow before = document.Row();
    for (int value = 7; value <= 40; ++value)
        document.SetValue(0, value);
    document.SetValue(2, 9);
    document.SetValue(2, 10);
    // Gestures that change nothing leave no step.
    document.SetChoice(0, 0);
    document.SetValue(4, 3);  // the tone has no slider
    document.Recolour(2, 1);  // the timer is no lamp
    document.Drop(kInsertToolIcon, 23);
    document.Paste(3);  // nothing copied
    EXPECT_EQ(document.History().UndoCount(), 2);
    document.Undo();
    EXPECT_EQ(document.Row().At(2)->value, 1);
    EXPECT_EQ(document.Row().At(0)->value, 40);
    document.Undo();
    EXPECT_EQ(document.Row(), before);
}

TEST_F(IconHistoryTest, TheSavedStateIsMarked)
{
    document.Drop(kWaitSoundIcon, 6);
    EXPECT_FALSE(document.IsMarkedSaved());
    test.dialogs.fileNames.enqueue(test.temp.Root() + "/mine.kq27");
    ASSERT_TRUE(SaveProgramFile(test.context, document, host));
    EXPECT_TRUE(document.IsMarkedSaved());
    const IconRow saved = document.Row();

    document.SetValue(0, 50);
    EXPECT_FALSE(document.IsMarkedSaved());
    document.Undo();
    EXPECT_TRUE(document.IsMarkedSaved());
    // Undo passes over the mark to the edit before the save.
    document.Undo();
    EXPECT_FALSE(document.Row().At(6));
    EXPECT_FALSE(document.IsMarkedSaved());
    document.Redo();
    EXPECT_EQ(document.Row(), saved);

    // A saved row replaced by a demo or the open dialog: no question.
    document.MarkSaved();
    EXPECT_TRUE(MayReplaceProgram(test.context, document, host));
    document.Drop(kWaitSoundIcon, 7);
    test.dialogs.yesNoAnswers.enqueue(false);
    EXPECT_FALSE(MayReplaceProgram(test.context, document, host));
    EXPECT_EQ(test.dialogs.Texts(Kind::Question), QStringList {kNotSavedQuestion});
}

TEST_F(IconHistoryTest, AnOpenedFileStartsANewHistoryAndADamagedOneCanBeUndone)
{
    document.Drop(kWaitSoundIcon, 6);
    QStringList section(kIconSlotCount, "-1");
    section[0] = "19,";
    ASSERT_EQ(OpenProgramFile(test.context, document, host, WriteFile("good.kq27", section), OpenOrigin::ChosenFile),
              OpenResult::Opened);
    EXPECT_EQ(document.History().UndoCount(), 0);
    document.Undo();
    EXPECT_EQ(document.Row().At(0)->icon, kSignalOutputIcon);

    // The damaged file is read as far as it goes; undo brings back the row.
    const IconRow opened = document.Row();
    section[0] = "9,";
    section[1] = "11,";
    ASSERT_EQ(OpenProgramFile(test.context, document, host, WriteFile("bad.kq27", section), OpenOrigin::ChosenFile),
              OpenResult::Failed);
    document.Undo();
    EXPECT_EQ(document.Row(), opened);
}

TEST_F(IconHistoryTest, UndoAfterAGenerationChangeKeepsTheSlidersOfTheGeneration)
{
    document.Drop(kWaitBrightIcon, 8);
    document.Drop(kWaitDarkIcon, 9);
    test.context.Generation().Set(kOlderGeneration);
    document.Undo();
    ASSERT_TRUE(document.Row().At(8));
    EXPECT_FALSE(document.Row().At(8)->value);
    EXPECT_EQ(IconProgramLines(document.Row(), kOlderGeneration).at(5), "7,2,0,0,0,0,0");
}

}  // namespace
}  // namespace kq::testing
