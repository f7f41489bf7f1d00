#include "editors/common/program_file_commands.h"

#include "context/studio_context.h"
#include "model/program_file.h"
#include "model/report_lines.h"
#include "services/dialog_folder.h"
#include "base/text_file.h"

#include "editors/test_step.h"
#include "support/file_bytes.h"
#include "support/full_folder.h"
#include "support/test_context.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace kq {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

using testing::RecordingDialogs;
using testing::TestStep;
using Kind = RecordingDialogs::Kind;

using testing::kRedLamp;
const QString kSwitchIf = QStringLiteral("8,0,0,0,0,0,0");

class ProgramFileCommands : public ::testing::Test, protected testing::TestContext {
protected:
    ProgramFileCommands()
    {
        step.instructions = {kRedLamp};
        ReportFields fields;
        fields.name = QStringLiteral("太郎");
        fields.title = QStringLiteral("赤 ランプ\n点灯");
        context.ReportFields().Set(fields);
    }

    void SetReportName(const QString &name)
    {
        ReportFields fields = context.ReportFields().Value();
        fields.name = name;
        context.ReportFields().Set(fields);
    }

    QString PathOf(const QString &name) const { return temp.Root() + QLatin1Char('/') + name; }
    QString SaveFile() const { return temp.Paths().TempFolder() + kSaveFileName; }
    QStringList FileOfStep(Step number, const QString &marker, const QStringList &instructions,
                           const ReportFields &report, bool valid = true)
    {
        TestStep other(number, marker);
        other.instructions = instructions;
        other.layout = QStringLiteral("drawn");
        const std::optional<QStringList> lines = valid ? other.ProgramLines().lines : std::nullopt;
        return ProgramFileLines(lines, report, marker, other.SectionLines());
    }

    TestStep step{Step::Text, kTextSectionMarker};
    testing::TestHost host;
};

TEST_F(ProgramFileCommands, SaveWritesCp932CrLfFileWithTheEndingAndItsCopy)
{
    dialogs.fileNames.enqueue(PathOf("prog"));
    ASSERT_TRUE(SaveProgramFile(context, step, host));

    const QString path = PathOf("prog(テスト).kq27");
    const QStringList expected = QStringList{"OK", "START", kRedLamp, "END"} + ReportLines(context.ReportFields().Value())
        + QStringList{"WORDDATA", "layout fresh", kRedLamp};
    const QByteArray bytes = ReadBytes(path);
    EXPECT_EQ(bytes, EncodeTextLines(expected).value());
    EXPECT_TRUE(bytes.contains("reponame=\x91\xbe\x98\x59\r\n"));  // 太郎 in CP932
    EXPECT_TRUE(bytes.contains("repotitle=\"\x90\xd4 \x83\x89\x83\x93\x83\x76\"\x93\x5f\x93\x94\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), expected.size());
    EXPECT_EQ(bytes.count('\n'), expected.size());
    EXPECT_EQ(ReadBytes(SaveFile()), bytes);
    EXPECT_EQ(host.caption, "ソラリット２制御ソフト :" + path);
    EXPECT_EQ(step.savedMarks, 1);
    EXPECT_TRUE(dialogs.Texts(Kind::Warning).isEmpty());
    EXPECT_TRUE(dialogs.Texts(Kind::Question).isEmpty());
}

// A wave dash typed on Linux is the full-width tilde of a Windows file.
TEST_F(ProgramFileCommands, TextTypedOnLinuxIsSavedAsWindowsWritesIt)
{
    SetReportName(QStringLiteral("A\u301CB"));
    dialogs.fileNames.enqueue(PathOf("tilde.kq27"));
    ASSERT_TRUE(SaveProgramFile(context, step, host));
    EXPECT_TRUE(ReadBytes(PathOf("tilde.kq27")).contains("reponame=A\x81\x60" "B\r\n"));
}

TEST_F(ProgramFileCommands, SavingAnInvalidProgramWritesNgAndNothingOfTheEarlierSave)
{
    const QString path = PathOf("prog.KQ27");
    dialogs.fileNames.enqueue(path);
    ASSERT_TRUE(SaveProgramFile(context, step, host));

    step.valid = false;
    step.instructions = {kSwitchIf};
    dialogs.fileNames.enqueue(path);
    ASSERT_TRUE(SaveProgramFile(context, step, host));
    EXPECT_EQ(dialogs.Texts(Kind::Question), QStringList{kOverwriteQuestion});
    EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList{TestStep::kCheckMessage.text});

    const QStringList lines = ReadTextLines(path)->lines;
    EXPECT_EQ(lines, (QStringList{"NG"} + ReportLines(context.ReportFields().Value())
                      + QStringList{"WORDDATA", "layout fresh", kSwitchIf}));
    EXPECT_FALSE(lines.contains("START"));

    // Only the step that made it can open it again.
    TestStep same(Step::Text, kTextSectionMarker);
    EXPECT_EQ(OpenProgramFile(context, same, host, path, OpenOrigin::ChosenFile), OpenResult::Opened);
    EXPECT_EQ(same.instructions, QStringList{kSwitchIf});
    TestStep flowchart(Step::Flowchart, kFlowchartSectionMarker);
    EXPECT_EQ(OpenProgramFile(context, flowchart, host, path, OpenOrigin::ChosenFile), OpenResult::Refused);
    EXPECT_EQ(dialogs.Texts(Kind::Information), QStringList{"foreign file refused"});
}

TEST_F(ProgramFileCommands, CancelOrNoToTheOverwriteQuestionWritesNothing)
{
    EXPECT_FALSE(SaveProgramFile(context, step, host));

    const QString path = PathOf("old.kq27");
    WriteBytes(path, "old\r\n");
    dialogs.fileNames.enqueue(path);
    dialogs.yesNoAnswers.enqueue(false);
    EXPECT_FALSE(SaveProgramFile(context, step, host));

    EXPECT_EQ(dialogs.Texts(Kind::Question), QStringList{kOverwriteQuestion});
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    EXPECT_FALSE(QFile::exists(SaveFile()));
    EXPECT_TRUE(host.caption.isEmpty());
}

TEST_F(ProgramFileCommands, AFailedSaveShowsTheStepsMessageAndKeepsEarlierFiles)
{
    const QString path = PathOf("keep.kq27");
    dialogs.fileNames.enqueue(path);
    ASSERT_TRUE(SaveProgramFile(context, step, host));
    const QByteArray before = ReadBytes(path);
    host.caption.clear();

    WriteBytes(PathOf("plain"), "x");
    const struct {
        QString target;
        QString name;
        QString message;
    } cases[] = {
        // CP932 cannot hold it; the pupil learns which character to change.
        {path, QStringLiteral("emoji \U0001F600"),
         QStringLiteral("save failed\r\n「\U0001F600」はファイルに保存できない文字です。")},
        {PathOf("missing/folder/a.kq27"), QStringLiteral("太郎"), QStringLiteral("save failed")},
        {PathOf("plain/a.kq27"), QStringLiteral("太郎"), QStringLiteral("save failed")},  // the folder is a file
    };
    for (const auto &c : cases) {
        dialogs.Clear();
        SetReportName(c.name);
        dialogs.fileNames.enqueue(c.target);
        EXPECT_FALSE(SaveProgramFile(context, step, host)) << c.target.toStdString();
        EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList{c.message});
        EXPECT_EQ(ReadBytes(path), before);
        EXPECT_EQ(ReadBytes(SaveFile()), before);
        EXPECT_TRUE(host.caption.isEmpty());
        EXPECT_EQ(step.savedMarks, 1);
    }
}

// The file system refuses the bytes only when they are flushed: a program
// file is smaller than any write buffer.
TEST_F(ProgramFileCommands, ASaveOnAFullDiskShowsTheMessageAndKeepsTheFile)
{
    testing::FullFolder full(testing::FullFolder::Kind::FileSizeLimit);
    ASSERT_TRUE(full.Unavailable().isEmpty()) << full.Unavailable().toStdString();
    const QString path = full.FilePath(QStringLiteral("keep.kq27"));
    WriteBytes(path, "OK\r\nSTART\r\nEND\r\n");
    dialogs.fileNames.enqueue(path);
    dialogs.yesNoAnswers.enqueue(true);  // overwrite
    full.Fill();
    EXPECT_FALSE(SaveProgramFile(context, step, host));
    full.Empty();
    EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList{QStringLiteral("save failed")});
    EXPECT_EQ(ReadBytes(path), QByteArray("OK\r\nSTART\r\nEND\r\n"));
    EXPECT_EQ(full.Entries(), QStringList{QStringLiteral("keep.kq27")});
    EXPECT_EQ(step.savedMarks, 0);
}

TEST_F(ProgramFileCommands, OwnFileRestoresItsSectionAndReportFields)
{
    ReportFields stored;
    stored.name = QStringLiteral("花子");
    stored.impressions = QStringLiteral("a=b, c");
    const QStringList lines = FileOfStep(Step::Text, kTextSectionMarker, {kSwitchIf, "21,0,0,0,0,0,0"}, stored);
    // Written with LF line ends by some other editor: still readable.
    const QString path = PathOf("lf.Kq27");
    WriteBytes(path, EncodeTextLines(lines).value().replace("\r\n", "\n"));

    // The report window, open beside the editor, learns of the new fields.
    QSignalSpy fieldsChanged(&context.ReportFields(), &ReportFieldsState::Changed);
    QSignalSpy programChanged(&step, &StepDocument::Changed);
    EXPECT_EQ(OpenDroppedProgramFiles(context, step, host, {path}), OpenResult::Opened);
    EXPECT_EQ(fieldsChanged.count(), 1);
    EXPECT_GE(programChanged.count(), 1);
    EXPECT_EQ(step.instructions, (QStringList{kSwitchIf, "21,0,0,0,0,0,0"}));
    EXPECT_EQ(step.layout, "drawn");
    EXPECT_EQ(context.ReportFields().Value().name, "花子");
    EXPECT_EQ(context.ReportFields().Value().impressions, "\"a=b c\"");
    EXPECT_EQ(context.ReportFields().Value().title, "");
    EXPECT_EQ(host.caption, "ソラリット２制御ソフト :" + path);
    EXPECT_TRUE(dialogs.Records().isEmpty());
}

TEST_F(ProgramFileCommands, DemosKeepTheCaptionAndHandOversKeepTheReportFields)
{
    ReportFields stored;
    stored.name = QStringLiteral("花子");
    const QString path = PathOf("demo1(テスト).kq27");
    ASSERT_TRUE(WriteTextLines(path, FileOfStep(Step::Text, kTextSectionMarker, {kRedLamp}, stored)));

    EXPECT_EQ(OpenProgramFile(context, step, host, path, OpenOrigin::HandOver), OpenResult::Opened);
    EXPECT_EQ(context.ReportFields().Value().name, "太郎");
    EXPECT_EQ(OpenProgramFile(context, step, host, path, OpenOrigin::Demo), OpenResult::Opened);
    EXPECT_EQ(context.ReportFields().Value().name, "花子");
    EXPECT_TRUE(host.caption.isEmpty());
    // Each program opened starts a new undo history.
    EXPECT_EQ(step.historiesCleared, 2);
}

TEST_F(ProgramFileCommands, AnotherStepsValidFileIsConvertedWithoutItsReport)
{
    ReportFields stored;
    stored.name = QStringLiteral("花子");
    const QString path = PathOf("icons.kq27");
    ASSERT_TRUE(WriteTextLines(path, FileOfStep(Step::Icons, kIconSectionMarker, {kRedLamp, "5,0,0,0,0,0,0"}, stored)));

    EXPECT_EQ(OpenProgramFile(context, step, host, path, OpenOrigin::ChosenFile), OpenResult::Opened);
    EXPECT_EQ(step.instructions, (QStringList{kRedLamp, "5,0,0,0,0,0,0"}));
    EXPECT_EQ(step.layout, "converted");
    EXPECT_EQ(context.ReportFields().Value().name, "太郎");
    EXPECT_EQ(host.caption, "ソラリット２制御ソフト :" + path);
}

TEST_F(ProgramFileCommands, FilesTheStepCannotShowAreRefusedWithItsMessage)
{
    const QString invalid = PathOf("ng.kq27");
    ASSERT_TRUE(WriteTextLines(invalid, FileOfStep(Step::Flowchart, kFlowchartSectionMarker, {kRedLamp}, {}, false)));
    const QString melody = PathOf("melody.kq27");
    ASSERT_TRUE(WriteTextLines(melody, {"SOUND", "1,2,3"}));
    const QString withIf = PathOf("if.kq27");
    ASSERT_TRUE(WriteTextLines(withIf, FileOfStep(Step::Flowchart, kFlowchartSectionMarker, {kSwitchIf, "21,0,0,0,0,0,0"}, {})));

    TestStep icons(Step::Icons, kIconSectionMarker);
    icons.instructions = {"5,1,0,0,0,0,0"};
    EXPECT_EQ(OpenProgramFile(context, icons, host, invalid, OpenOrigin::ChosenFile), OpenResult::Refused);
    EXPECT_EQ(OpenProgramFile(context, icons, host, melody, OpenOrigin::ChosenFile), OpenResult::Refused);
    EXPECT_EQ(OpenProgramFile(context, icons, host, withIf, OpenOrigin::ChosenFile), OpenResult::Refused);
    EXPECT_EQ(dialogs.Records(), (QList<RecordingDialogs::Record>{{Kind::Information, "foreign file refused"},
                                                                  {Kind::Information, "foreign file refused"},
                                                                  {Kind::Warning, "no ifs in this step"}}));
    EXPECT_EQ(icons.instructions, QStringList{"5,1,0,0,0,0,0"});
    EXPECT_TRUE(host.caption.isEmpty());
}

TEST_F(ProgramFileCommands, DamagedFilesFailWithTheReadMessageAndNoCrash)
{
    QStringList own = FileOfStep(Step::Text, kTextSectionMarker, {kRedLamp}, {});
    const QByteArray ownBytes = EncodeTextLines(own).value();
    const struct {
        const char *name;
        QByteArray bytes;
        bool untouched;  // refused before the step's program was replaced
    } cases[] = {
        {"empty", "", true},
        {"binary", QByteArray("\x00\xff\xfe\x81\x00\x9f\xa0\x0d\x0a\xfd", 10), true},
        {"utf8", QStringLiteral("OK\r\nreponame=太郎\r\nWORDDATA\r\nlayout x\r\n").toUtf8(), true},
        {"truncated program lines", "OK\r\nSTART\r\n2,0,255,0,0,4,0\r\n", true},
        {"ok without start", "OK\r\nreponame=a\r\n", true},
        {"truncated section", ownBytes.left(ownBytes.indexOf("WORDDATA") + 10), false},
        {"damaged section", ownBytes + "not an instruction\r\n", false},
    };
    for (const auto &c : cases) {
        dialogs.Clear();
        step.instructions = {"5,2,0,0,0,0,0"};
        const QString path = PathOf(QString::fromUtf8(c.name) + ".kq27");
        WriteBytes(path, c.bytes);
        EXPECT_EQ(OpenProgramFile(context, step, host, path, OpenOrigin::ChosenFile), OpenResult::Failed) << c.name;
        EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList{kReadFailedMessage}) << c.name;
        if (c.untouched) {
            EXPECT_EQ(step.instructions, QStringList{"5,2,0,0,0,0,0"}) << c.name;
        }
        EXPECT_TRUE(host.caption.isEmpty()) << c.name;
    }
    dialogs.Clear();
    EXPECT_EQ(OpenProgramFile(context, step, host, PathOf("none.kq27"), OpenOrigin::Demo), OpenResult::Failed);
    EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList{kReadFailedMessage});
}

TEST_F(ProgramFileCommands, DialogAndDropCheckTheNameFirst)
{
    const QString path = PathOf("p.KQ27");
    ASSERT_TRUE(WriteTextLines(path, FileOfStep(Step::Text, kTextSectionMarker, {kRedLamp}, {})));

    EXPECT_EQ(OpenProgramFileFromDialog(context, step, host), OpenResult::Cancelled);
    dialogs.fileNames.enqueue(PathOf("p.txt"));
    EXPECT_EQ(OpenProgramFileFromDialog(context, step, host), OpenResult::Cancelled);
    EXPECT_EQ(OpenDroppedProgramFiles(context, step, host, {path, path}), OpenResult::Cancelled);
    EXPECT_EQ(dialogs.Texts(Kind::Warning), (QStringList{kWrongExtensionMessage, kSeveralFilesMessage}));

    dialogs.fileNames.enqueue(path);
    EXPECT_EQ(OpenProgramFileFromDialog(context, step, host), OpenResult::Opened);
    EXPECT_EQ(host.caption, "ソラリット２制御ソフト :" + path);
    EXPECT_EQ(step.historiesCleared, 1);
}

TEST_F(ProgramFileCommands, DialogsStartWhereTheWindowLastOpenedOrSavedAFile)
{
    const QString school = PathOf("school");
    const QString home = PathOf("home");
    ASSERT_TRUE(QDir().mkpath(school) && QDir().mkpath(home));
    const QString opened = school + "/p.kq27";
    ASSERT_TRUE(WriteTextLines(opened, FileOfStep(Step::Text, kTextSectionMarker, {kRedLamp}, {})));
    const QString demo = temp.Paths().ProgramFile("Data/demo.kq27");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(demo).path()));
    ASSERT_TRUE(WriteTextLines(demo, FileOfStep(Step::Text, kTextSectionMarker, {kRedLamp}, {})));
    const auto cancelBoth = [&](testing::TestHost &window) {
        EXPECT_EQ(OpenProgramFileFromDialog(context, step, window), OpenResult::Cancelled);
        EXPECT_FALSE(SaveProgramFile(context, step, window));
    };

    cancelBoth(host);
    dialogs.fileNames.enqueue(opened);
    EXPECT_EQ(OpenProgramFileFromDialog(context, step, host), OpenResult::Opened);
    EXPECT_EQ(OpenProgramFile(context, step, host, demo, OpenOrigin::Demo), OpenResult::Opened);
    cancelBoth(host);
    dialogs.fileNames.enqueue(home + "/mine");
    ASSERT_TRUE(SaveProgramFile(context, step, host));
    cancelBoth(host);
    // A dropped file counts as opened, even one the step refuses.
    EXPECT_EQ(OpenDroppedProgramFiles(context, step, host, {school + "/notes.txt"}), OpenResult::Cancelled);
    cancelBoth(host);
    // Another window keeps its own folder.
    testing::TestHost other;
    cancelBoth(other);

    const QString desktop = DesktopOrHomeFolder();
    EXPECT_EQ(dialogs.Texts(Kind::OpenFile), (QStringList{desktop, desktop, school, home, school, desktop}));
    EXPECT_EQ(dialogs.Texts(Kind::SaveFile), (QStringList{desktop, school, school, home, school, desktop}));
}

TEST_F(ProgramFileCommands, CloseAsksOnlyBeforeDiscardingAnUnsavedProgram)
{
    TestStep empty(Step::Text, kTextSectionMarker);
    EXPECT_TRUE(MayCloseStep(context, empty, host));

    dialogs.fileNames.enqueue(PathOf("saved.kq27"));
    ASSERT_TRUE(SaveProgramFile(context, step, host));
    EXPECT_TRUE(MayCloseStep(context, step, host));
    EXPECT_TRUE(dialogs.Texts(Kind::Question).isEmpty());

    step.instructions.append("5,0,0,0,0,0,0");
    dialogs.yesNoAnswers.enqueue(false);
    EXPECT_FALSE(MayCloseStep(context, step, host));
    EXPECT_TRUE(MayCloseStep(context, step, host));
    EXPECT_EQ(dialogs.Texts(Kind::Question), (QStringList{kCloseQuestion, kCloseQuestion}));

    // The report fields belong to the file too.
    step.instructions.removeLast();
    SetReportName(QStringLiteral("次郎"));
    EXPECT_TRUE(MayCloseStep(context, step, host));
    EXPECT_EQ(dialogs.Texts(Kind::Question).size(), 3);

    dialogs.Clear();
    const int built = step.programLinesBuilt;
    context.StepSwitch() = {true, Step::Text};
    EXPECT_TRUE(MayCloseStep(context, step, host));
    EXPECT_TRUE(dialogs.Records().isEmpty());
    EXPECT_EQ(step.programLinesBuilt, built);
}

}  // namespace
}  // namespace kq
