#include "base/text_file.h"
#include "panel_fixture.h"
#include "support/tool_runner.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

using testing::PanelFixture;

using kq::testing::ToolRun;

class Kq18ToolTest : public ::testing::Test {
protected:
    ToolRun Run(const QStringList &arguments) const
    {
        QProcessEnvironment environment;
        // The tool's temporary pictures go below the test's folder.
        environment.insert(QStringLiteral("XDG_DATA_HOME"), fixture.Root() + QStringLiteral("/xdg"));
        // Qt warns on stderr without a runtime folder; the test's own is private.
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), fixture.Root());
        return kq::testing::RunProgram(QStringLiteral(KQ18_TOOL), arguments, environment);
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
