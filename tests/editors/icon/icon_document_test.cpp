#include "base/text_file.h"
#include "editors/common/program_file_commands.h"
#include "editors/common/step_switch.h"
#include "editors/icon/icon_document.h"
#include "editors/icon/icon_program.h"
#include "editors/icon/icon_section.h"
#include "editors/test_step.h"
#include "model/program_file.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

namespace kq::testing {
namespace {

using Kind = RecordingDialogs::Kind;

QStringList EmptySection()
{
    return QStringList(kIconSlotCount, "-1");
}

TEST(IconSection, RoundTripOfEverySetting)
{
    for (const int generation : {kCurrentGeneration, kOlderGeneration}) {
        IconRow row;
        const int icons[] = {0, 1, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
        int slot = 0;
        for (const int icon : icons) {
            row.Drop(icon, slot, generation);
            slot += 1 + slot % 2;  // leave gaps
        }
        row.SetChoice(2, 2);  // icon 1 fading out
        row.SetValue(0, 127);
        row.SetChoice(slot - 3, 3);  // the tone plays the melody
        const QStringList lines = IconSectionLines(row, generation);
        ASSERT_EQ(lines.size(), kIconSlotCount);

        IconRow back;
        ASSERT_TRUE(ReadIconSection(lines, generation, back)) << lines.join(' ').toStdString();
        EXPECT_EQ(back, row) << generation;
    }
}

TEST(IconSection, LinesAsTheyAreStored)
{
    IconRow row;
    row.Drop(0, 0, kCurrentGeneration);
    row.SetValue(0, 6);
    row.Drop(2, 1, kCurrentGeneration);
    row.SetChoice(1, 1);
    row.Drop(kWaitBrightIcon, 2, kCurrentGeneration);
    row.Drop(kToneIcon, 3, kCurrentGeneration);
    row.Drop(kRepeatEndIcon, 4, kCurrentGeneration);
    row.Drop(kTimerIcon, 5, kCurrentGeneration);
    EXPECT_EQ(IconSectionLines(row, kCurrentGeneration).mid(0, 7),
              (QStringList{"0,0,6", "2,1,0", "11,50", "18,0", "16,", "17,1", "-1"}));
    EXPECT_EQ(IconSectionLines(row, kOlderGeneration)[2], "11,");
}

TEST(IconSection, DamagedLinesStopTheReadAndKeepWhatWasRead)
{
    struct Case {
        QString line;
        int generation;
    };
    const Case cases[] = {
        {"20,", kCurrentGeneration},     {"29,", kCurrentGeneration},    {"-2", kCurrentGeneration},
        {"x,1", kCurrentGeneration},     {"0,0", kCurrentGeneration},    {"0,0,", kCurrentGeneration},
        {"0,0,128", kCurrentGeneration}, {"0,3,0", kCurrentGeneration},  {"7,1,0", kCurrentGeneration},
        {"8,0", kCurrentGeneration},     {"13,51", kCurrentGeneration},  {"15,a", kCurrentGeneration},
        {"17,", kCurrentGeneration},     {"18,4", kCurrentGeneration},   {"18,", kCurrentGeneration},
        {"11,", kCurrentGeneration},     {"12,101", kCurrentGeneration}, {"", kCurrentGeneration},
        {"0,0,+5", kCurrentGeneration},
    };
    for (const Case &c : cases) {
        QStringList section = EmptySection();
        section[0] = "18,1";
        section[4] = c.line;
        section[5] = "19,";
        IconRow row;
        row.Drop(3, 10, kCurrentGeneration);
        EXPECT_FALSE(ReadIconSection(section, c.generation, row)) << c.line.toStdString();
        EXPECT_EQ(row.At(0), (IconSlot{kToneIcon, 1, std::nullopt}));
        EXPECT_FALSE(row.At(5));
        EXPECT_FALSE(row.At(10));  // cleared first
    }
    // Under generation 3 the brightness icons carry no value.
    IconRow older;
    QStringList section = EmptySection();
    section[0] = "11,";
    EXPECT_TRUE(ReadIconSection(section, kOlderGeneration, older));

    IconRow shortRow;
    EXPECT_FALSE(ReadIconSection(QStringList(23, "19,"), kCurrentGeneration, shortRow));
    EXPECT_TRUE(shortRow.At(22));
    EXPECT_FALSE(shortRow.At(23));

    // Nothing beyond slot 23 is read.
    IconRow longRow;
    EXPECT_TRUE(ReadIconSection(QStringList(30, "19,"), kCurrentGeneration, longRow));
}

class IconDocumentTest : public ::testing::Test {
protected:
    QString Write(const QString &name, const QStringList &lines)
    {
        const QString path = test.temp.Root() + "/" + name;
        EXPECT_TRUE(WriteTextLines(path, lines));
        return path;
    }
    OpenResult Open(const QString &path)
    {
        return OpenProgramFile(test.context, document, host, path, OpenOrigin::ChosenFile);
    }

    TestContext test;
    IconDocument document{test.context.Generation()};
    TestHost host;
};

TEST_F(IconDocumentTest, SaveAndOpenKeepTheRowAndItsReport)
{
    document.Drop(0, 0);
    document.SetValue(0, 6);
    document.Drop(kToneIcon, 5);
    ReportFields fields;
    fields.name = "はなこ";
    test.context.ReportFields().Set(fields);
    test.dialogs.fileNames.enqueue(test.temp.Root() + "/mine");
    ASSERT_TRUE(SaveProgramFile(test.context, document, host));

    const QString path = test.temp.Root() + "/mine(アイコン).kq27";
    const QStringList lines = ReadTextLines(path)->lines;
    EXPECT_EQ(lines.mid(0, 5), (QStringList{"OK", "START", "2,0,255,0,0,6,0", "5,0,0,0,0,0,0", "END"}));
    EXPECT_EQ(lines[14], kIconSectionMarker);
    EXPECT_EQ(lines.size(), 15 + kIconSlotCount);

    IconDocument reopened(test.context.Generation());
    test.context.ReportFields().Set({});
    ASSERT_EQ(OpenProgramFile(test.context, reopened, host, path, OpenOrigin::ChosenFile), OpenResult::Opened);
    EXPECT_EQ(reopened.Row(), document.Row());
    EXPECT_EQ(test.context.ReportFields().Value().name, "はなこ");
    EXPECT_TRUE(MayCloseStep(test.context, reopened, host));  // as saved: no question
}

TEST_F(IconDocumentTest, AnInvalidRowIsSavedAsNgAndOnlyReopensHere)
{
    document.Drop(kRepeatEndIcon, 0);
    test.dialogs.fileNames.enqueue(test.temp.Root() + "/bad.kq27");
    ASSERT_TRUE(SaveProgramFile(test.context, document, host));
    EXPECT_EQ(test.dialogs.Texts(Kind::Warning), QStringList{kIconLoopMessage});
    const QStringList lines = ReadTextLines(test.temp.Root() + "/bad.kq27")->lines;
    EXPECT_EQ(lines.first(), kInvalidProgramMark);
    EXPECT_FALSE(lines.contains("START"));

    IconDocument reopened(test.context.Generation());
    EXPECT_EQ(OpenProgramFile(test.context, reopened, host, test.temp.Root() + "/bad.kq27", OpenOrigin::ChosenFile),
              OpenResult::Opened);
    EXPECT_EQ(reopened.Row(), document.Row());
}

TEST_F(IconDocumentTest, ForeignFilesAndDamagedSections)
{
    const QStringList report(9, "reponame=");
    document.Drop(kToneIcon, 3);

    // Another step's file that holds no valid program.
    EXPECT_EQ(Open(Write("ng.kq27", QStringList{"NG"} + report + QStringList{"ROUTINE"})), OpenResult::Refused);
    EXPECT_EQ(test.dialogs.Texts(Kind::Warning).last(), kIconForeignFileMessage);

    // An if cannot be shown; the row stays.
    const QStringList withIf = {"OK", "START", "8,0,0,0,0,0,0", "21,0,0,0,0,0,0", "END"};
    EXPECT_EQ(Open(Write("if.kq27", withIf + report + QStringList{"WORDDATA"})), OpenResult::Refused);
    EXPECT_EQ(test.dialogs.Texts(Kind::Warning).last(), kIconForeignInstructionMessage);
    EXPECT_TRUE(document.Row().At(3));

    // A slot line of icon 11 without its value, under generation 4.
    QStringList section = EmptySection();
    section[0] = "9,";
    section[1] = "11,";
    EXPECT_EQ(Open(Write("old.kq27", QStringList{"OK"} + report + QStringList{"DDDATA"} + section)),
              OpenResult::Failed);
    EXPECT_EQ(test.dialogs.Texts(Kind::Warning).last(), kReadFailedMessage);
    EXPECT_EQ(document.Row().At(0), (IconSlot{kWaitSoundIcon, 0, std::nullopt}));
    EXPECT_FALSE(document.Row().At(3));

    test.context.Generation().Set(kOlderGeneration);
    EXPECT_EQ(Open(Write("old.kq27", QStringList{"OK"} + report + QStringList{"DDDATA"} + section)),
              OpenResult::Opened);
    EXPECT_EQ(IconProgramLines(document.Row(), kOlderGeneration)[2], "7,2,0,0,0,0,0");
}

TEST_F(IconDocumentTest, GenerationChangeGivesAndTakesTheBrightnessSlider)
{
    document.Drop(kWaitDarkIcon, 0);
    EXPECT_EQ(document.Row().At(0)->value, 50);
    int changes = 0;
    QObject::connect(&document, &StepDocument::Changed, [&changes] { ++changes; });
    test.context.Generation().Set(kOlderGeneration);
    EXPECT_FALSE(document.Row().At(0)->value);
    EXPECT_EQ(EncodeIconRow(document.Row(), kOlderGeneration), (ByteList{230, 2, 173, 4, 231, 0}));
    test.context.Generation().Set(kCurrentGeneration);
    EXPECT_EQ(document.Row().At(0)->value, 50);
    EXPECT_EQ(changes, 2);
}

// The shell's side of a switch with the icon step's document as STEP1 and
// test steps as STEP2 and STEP3.
class IconStepWindows final : public StepWindows {
public:
    explicit IconStepWindows(StudioContext &context) : m_context(context), m_others(context) {}

    void CloseStep(Step step) override
    {
        if (step == Step::Icons)
            icons.reset();
        else
            m_others.CloseStep(step);
    }
    StepEditor ShowStep(Step step) override
    {
        if (step != Step::Icons)
            return m_others.ShowStep(step);
        if (!icons)
            icons = std::make_unique<IconDocument>(m_context.Generation());
        return{icons.get(), &host};
    }
    TestStep *Other(Step step) { return m_others.Find(step); }

    std::unique_ptr<IconDocument> icons;
    TestHost host;

private:
    StudioContext &m_context;
    TestStepWindows m_others;
};

TEST(IconStepSwitch, ThereAndBackKeepsTheRow)
{
    for (const Step other : {Step::Flowchart, Step::Text}) {
        TestContext test;
        IconStepWindows windows(test.context);
        IconDocument &start = *static_cast<IconDocument *>(windows.ShowStep(Step::Icons).document);
        start.Drop(3, 2);
        start.Drop(kRepeatStartIcon, 6);
        start.SetValue(6, 4);
        start.Drop(kTimerIcon, 7);
        start.Drop(kRepeatEndIcon, 12);
        const IconRow row = start.Row();

        ASSERT_TRUE(SwitchStep(test.context, windows, windows.ShowStep(Step::Icons), other));
        EXPECT_FALSE(windows.icons);
        EXPECT_EQ(windows.Other(other)->instructions,
                  (QStringList{"2,0,255,255,0,1,0", "9,0,4,0,0,0,0", "6,0,1,0,0,0,0", "9,1,0,0,0,0,0"}));

        ASSERT_TRUE(SwitchStep(test.context, windows, windows.ShowStep(other), Step::Icons));
        ASSERT_TRUE(windows.icons);
        // The slots come back where they were, gaps included.
        EXPECT_EQ(windows.icons->Row(), row);
        EXPECT_TRUE(test.dialogs.Records().isEmpty());
    }
}

TEST(IconStepSwitch, ABadRowStaysAndAnUnshowableProgramGoesBack)
{
    TestContext test;
    IconStepWindows windows(test.context);
    IconDocument &icons = *static_cast<IconDocument *>(windows.ShowStep(Step::Icons).document);
    icons.Drop(kRepeatStartIcon, 0);
    EXPECT_FALSE(SwitchStep(test.context, windows, windows.ShowStep(Step::Icons), Step::Text));
    EXPECT_EQ(test.dialogs.Texts(Kind::Warning), (QStringList{kIconLoopMessage, kCannotHandOverMessage}));
    EXPECT_TRUE(windows.icons);

    test.dialogs.Clear();
    windows.icons.reset();
    StepEditor flowchart = windows.ShowStep(Step::Flowchart);
    static_cast<TestStep *>(flowchart.document)->SetInstructions(QStringList(30, "5,0,0,0,0,0,0"));
    EXPECT_FALSE(SwitchStep(test.context, windows, flowchart, Step::Icons));
    EXPECT_EQ(test.dialogs.Texts(Kind::Warning), QStringList{kIconForeignInstructionMessage});
    ASSERT_TRUE(windows.Other(Step::Flowchart));
    EXPECT_EQ(windows.Other(Step::Flowchart)->instructions.size(), 30);
}

}  // namespace
}  // namespace kq::testing
