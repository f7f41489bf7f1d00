#include "base/text_file.h"
#include "pdf_page.h"
#include "support/file_bytes.h"
#include "support/tool_runner.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

// kq18-tool print, run as scripts run it.
class PrintCommandTest : public ::testing::Test {
protected:
    int Run(const QStringList &arguments)
    {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("xdg")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        const kq::testing::ToolRun run =
            kq::testing::RunProgram(QStringLiteral(KQ18_TOOL), QStringList{QStringLiteral("print")} + arguments, environment);
        m_err = run.err;
        return run.exitCode;
    }
    QString Path(const QString &name) const { return m_dir.filePath(name); }
    QString Panel(const QString &backgroundPath)
    {
        const QString path = Path(QStringLiteral("panel.kq18"));
        EXPECT_TRUE(WriteTextLines(path, {QStringLiteral("-1,背景,") + backgroundPath + QStringLiteral(",0,0")}));
        return path;
    }

    QTemporaryDir m_dir;
    QString m_err;
};

TEST_F(PrintCommandTest, PrintsATl1PanelAtRealSizeIntoAPdf)
{
    QImage background(860, 1060, QImage::Format_RGB32);
    background.fill(Qt::green);
    ASSERT_TRUE(background.save(Path(QStringLiteral("back.bmp")), "BMP"));
    const QString out = Path(QStringLiteral("panel.PDF"));
    ASSERT_EQ(Run({Panel(Path(QStringLiteral("back.bmp"))), QStringLiteral("TL-1"), out}), 0) << m_err.toStdString();
    const std::optional<kq::testing::PdfPage> page = kq::testing::ReadSinglePagePdf(kq::testing::ReadBytes(out));
    ASSERT_TRUE(page);
    EXPECT_NEAR(page->paperMm.width(), 210, 0.5);
    EXPECT_NEAR(page->paperMm.height(), 297, 0.5);
    ASSERT_EQ(page->picturesMm.size(), 1);
    const QRectF picture = page->picturesMm.first();
    EXPECT_NEAR(picture.left(), 10, 0.1);
    EXPECT_NEAR(picture.top(), 10, 0.1);
    EXPECT_NEAR(picture.width(), 86, 0.1);
    EXPECT_NEAR(picture.height(), 106, 0.1);
}

TEST_F(PrintCommandTest, RefusesWithTheExitCodesOfTheOtherCommandsAndWritesNothing)
{
    const QString out = Path(QStringLiteral("out.pdf"));
    const QString missing = Panel(Path(QStringLiteral("gone.bmp")));
    EXPECT_EQ(Run({missing, QStringLiteral("TL-1"), out}), 1);
    EXPECT_TRUE(m_err.contains(QStringLiteral("が見つかりません。"))) << m_err.toStdString();
    EXPECT_EQ(Run({missing, QStringLiteral("TL-7"), out}), 2);
    EXPECT_EQ(Run({missing, QStringLiteral("TL-1"), Path(QStringLiteral("out.png"))}), 2);
    EXPECT_EQ(Run({Path(QStringLiteral("none.kq18")), QStringLiteral("TL-1"), out}), 2);
    EXPECT_EQ(Run({missing, QStringLiteral("TL-1")}), 2);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("out.png"))));
}

}  // namespace
}  // namespace kq::panel
