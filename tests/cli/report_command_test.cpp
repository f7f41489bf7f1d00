#include "base/text_file.h"
#include "model/program_file.h"
#include "model/report_fields.h"
#include "support/file_bytes.h"
#include "tool_runner.h"
#include "tools/melody/melody_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq {
namespace {

using testing::ReadBytes;
using testing::RunTool;
using testing::ToolRun;

const ReportFields kPupil{QStringLiteral("5"), QStringLiteral("2"), QStringLiteral("7"), QStringLiteral("山田 <b>"),
                          QStringLiteral("ひかる時計"), {}, {}, {}, {}};

class ReportToolTest : public ::testing::Test {
protected:
    // A copy of an installed demo with the given report fields.
    QString Demo(const QString &relative, const ReportFields &fields, const QString &name)
    {
        const std::optional<TextFileContent> demo = ReadTextLines(QStringLiteral(KQ_DATA_DIR "/") + relative);
        EXPECT_TRUE(demo.has_value());
        ProgramFileParts parts = SplitProgramFile(demo ? demo->lines : QStringList());
        return Write(name, ProgramFileLines(parts.programLines, fields, parts.sectionMarker, parts.section));
    }

    QString Write(const QString &name, const QStringList &lines)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(WriteTextLines(path, lines));
        return path;
    }

    QString Page(const QString &name) const
    {
        const std::optional<TextFileContent> page = ReadTextLines(m_dir.filePath(name));
        return page ? page->lines.join(QLatin1Char('\n')) : QString();
    }

    QTemporaryDir m_dir;
};

TEST_F(ReportToolTest, WritesEachKindWithThePicturesItShows)
{
    Melody melody;
    ASSERT_TRUE(melody.Append({0, false}));
    const QString song = Write(QStringLiteral("song.kq27"), MelodyFileLines(melody));
    const QString pupil = Demo(QStringLiteral("Data/Demo/fro/demo1(フロー).kq27"), kPupil, QStringLiteral("flow.kq27"));
    const QString icons = Demo(QStringLiteral("Data/Demo/dd/demo1(アイコン).kq27"), kPupil, QStringLiteral("icons.kq27"));
    const QString text = Write(QStringLiteral("text.kq27"),
                               ProgramFileLines(std::nullopt, kPupil, kTextSectionMarker, {QStringLiteral("LED 赤 <1>")}));

    const struct {
        QStringList arguments;
        QString out;
        QString picture;  // in the folder beside the page; empty: no folder
        QString shown;    // a text the page must hold
    } cases[] = {
        {{pupil}, QStringLiteral("flow.html"), QStringLiteral("Routine0.bmp"), QStringLiteral("flowImg/Routine0.bmp")},
        {{song, QStringLiteral("--fields"), pupil}, QStringLiteral("song.html"), QStringLiteral("Sound.bmp"),
         QStringLiteral("songImg/Sound.bmp")},
        {{icons}, QStringLiteral("icons.html"), {}, QStringLiteral("Img/Icon/DD/")},
        {{text}, QStringLiteral("text.html"), {}, QStringLiteral("LED 赤 &lt;1&gt;")},
    };
    for (const auto &c : cases) {
        const ToolRun run = RunTool(QStringList{QStringLiteral("report")} << c.arguments.first()
                                    << m_dir.filePath(c.out) << c.arguments.mid(1));
        EXPECT_EQ(run.exitCode, 0) << c.out.toStdString() << run.err.toStdString();
        const QString page = Page(c.out);
        EXPECT_TRUE(page.contains(QStringLiteral("山田 &lt;b&gt;"))) << c.out.toStdString();
        EXPECT_TRUE(page.contains(c.shown)) << c.out.toStdString();
        const QString folder = m_dir.filePath(QFileInfo(c.out).completeBaseName() + QStringLiteral("Img"));
        if (c.picture.isEmpty())
            EXPECT_FALSE(QFileInfo::exists(folder)) << c.out.toStdString();
        else
            EXPECT_TRUE(ReadBytes(folder + QLatin1Char('/') + c.picture).startsWith("BM")) << c.out.toStdString();
    }
}

TEST_F(ReportToolTest, RefusesWithoutTheIdentityOrAReadableInput)
{
    Melody melody;
    ASSERT_TRUE(melody.Append({0, false}));
    const QString song = Write(QStringLiteral("song.kq27"), MelodyFileLines(melody));
    ReportFields nameless = kPupil;
    nameless.name.clear();
    const QString flow = Demo(QStringLiteral("Data/Demo/fro/demo1(フロー).kq27"), nameless, QStringLiteral("flow.kq27"));
    const QString lines = Write(QStringLiteral("lines.kq27"), {QStringLiteral("START"), QStringLiteral("END")});
    const QString out = m_dir.filePath(QStringLiteral("out.html"));

    const struct {
        QStringList arguments;
        int exitCode;
        QString message;
    } cases[] = {
        {{QStringLiteral("report"), flow, out}, 1, QStringLiteral("学年、組、名前を正しく入力して下さい。")},
        {{QStringLiteral("report"), song, out}, 1, QStringLiteral("学年、組、名前を正しく入力して下さい。")},
        {{QStringLiteral("report"), lines, out}, 1, kReadFailedMessage},
        {{QStringLiteral("report"), m_dir.filePath(QStringLiteral("missing.kq27")), out}, 2, QStringLiteral("cannot be read")},
        {{QStringLiteral("report"), flow}, 2, QStringLiteral("usage")},
        {{QStringLiteral("report"), flow, out, QStringLiteral("--fields")}, 2, QStringLiteral("usage")},
    };
    for (const auto &c : cases) {
        const ToolRun run = RunTool(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out));
    }
}

}  // namespace
}  // namespace kq
