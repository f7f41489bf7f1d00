#include "base/text_file.h"
#include "panel_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

using testing::PanelFixture;

// The sanitizers exit with 1 by default, the tool's answer for missing
// pictures; a memory error must not pass for that.
constexpr int kSanitizerExitCode = 99;

struct ToolRun {
    int exitCode = -1;
    QString err;
};

class Kq18ToolTest : public ::testing::Test {
protected:
    ToolRun Run(const QStringList &arguments) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // The tool's temporary pictures go below the test's folder.
        environment.insert(QStringLiteral("XDG_DATA_HOME"), fixture.Root() + QStringLiteral("/xdg"));
        // Qt warns on stderr without a runtime folder; the test's own is private.
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), fixture.Root());
        const QString exitCode = QStringLiteral("exitcode=%1").arg(kSanitizerExitCode);
        for (const char *name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
            const QString before = environment.value(QLatin1String(name));
            environment.insert(QLatin1String(name), before.isEmpty() ? exitCode : before + QLatin1Char(':') + exitCode);
        }
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(KQ18_TOOL), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        const ToolRun run {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
        EXPECT_NE(run.exitCode, kSanitizerExitCode) << run.err.toStdString();
        return run;
    }

    QString Out(const QString &name) const { return fixture.Root() + QLatin1Char('/') + name; }

    QString WritePanel(const QString &partPath) const
    {
        const QString background =
            fixture.WriteUserPicture(QStringLiteral("back.gif"), PanelFixture::Filled(QSize(860, 1060), Qt::green));
        const QString path = Out(QStringLiteral("panel.kq18"));
        EXPECT_TRUE(WriteTextLines(
            path,
            {
                QStringLiteral("-1,背景,") + background + QStringLiteral(",0,0"),
                QStringLiteral("0,部品,") + partPath + QStringLiteral(",40,50"),
                QStringLiteral("1,文字,60,100,200,42,ほし/ＭＳ ゴシック/clRed/14/False/False/clWhite,True,clWhite"),
            }));
        return path;
    }

    PanelFixture fixture;
};

TEST_F(Kq18ToolTest, FlattenWritesThePanelInTheTypeOfItsName)
{
    const QString part =
        fixture.WriteUserPicture(QStringLiteral("P9.gif"), PanelFixture::Filled(QSize(10, 10), Qt::red));
    const QString panel = WritePanel(part);
    for (const QString &name : {QStringLiteral("out.png"), QStringLiteral("out.BMP")}) {
        const ToolRun run = Run({QStringLiteral("flatten"), panel, QStringLiteral("TL-1"), Out(name)});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QImage written(Out(name));
        EXPECT_EQ(written.size(), QSize(860, 1060)) << name.toStdString();
    }
    // Exactly the document's flattening with the overlay of the tool's own
    // data tree, whatever pictures that tree holds.
    const kq::Paths toolPaths(QFileInfo(QStringLiteral(KQ18_TOOL)).path(), fixture.Root() + QStringLiteral("/xdg"));
    PanelDocument document(KitModelAt(0), kq::Paths(toolPaths.PanelProgramFolder(), toolPaths.AppDataFolder()));
    ASSERT_TRUE(document.Load(panel));
    EXPECT_EQ(QImage(Out(QStringLiteral("out.png"))).convertToFormat(QImage::Format_RGB32), document.Flatten(true));
}

TEST_F(Kq18ToolTest, MissingPicturesAreNamedAndNothingIsWritten)
{
    const QString panel = WritePanel(fixture.UserFile(QStringLiteral("gone.gif")));
    const ToolRun run = Run({QStringLiteral("flatten"), panel, QStringLiteral("TL-1"), Out(QStringLiteral("out.png"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.trimmed(),
              QStringLiteral("部品ファイル ") + fixture.UserFile(QStringLiteral("gone.gif"))
                  + QStringLiteral(" が見つかりません。"));
    EXPECT_FALSE(QFile::exists(Out(QStringLiteral("out.png"))));
}

TEST_F(Kq18ToolTest, UsageErrorsAndUnreadableInputAreTwo)
{
    const QString part =
        fixture.WriteUserPicture(QStringLiteral("P9.gif"), PanelFixture::Filled(QSize(10, 10), Qt::red));
    const QString panel = WritePanel(part);
    const QString damaged = Out(QStringLiteral("damaged.kq18"));
    ASSERT_TRUE(WriteTextLines(damaged, {QStringLiteral("0,部品,") + part + QStringLiteral(",x,y")}));
    const QString out = Out(QStringLiteral("out.png"));
    const QStringList cases[] = {
        {},
        {QStringLiteral("shrink")},
        {QStringLiteral("flatten"), panel, QStringLiteral("TL-1")},
        {QStringLiteral("flatten"), panel, QStringLiteral("TL-7"), out},
        {QStringLiteral("flatten"), panel, QStringLiteral("TL-1"), Out(QStringLiteral("out.xyz"))},
        {QStringLiteral("flatten"), Out(QStringLiteral("absent.kq18")), QStringLiteral("TL-1"), out},
        {QStringLiteral("flatten"), damaged, QStringLiteral("TL-1"), out},
        {QStringLiteral("flatten"), panel, QStringLiteral("TL-1"), Out(QStringLiteral("no folder/out.png"))},
    };
    for (const QStringList &arguments : cases) {
        const ToolRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_FALSE(QFile::exists(out));
    }
    EXPECT_TRUE(Run({}).err.contains(QStringLiteral("flatten FILE.kq18 MODEL OUT")));
}

}  // namespace
}  // namespace kq::panel
