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
    int Run(const QStringList &arguments, const QString &command = QStringLiteral("print"))
    {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("xdg")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        const kq::testing::ToolRun run =
            kq::testing::RunProgram(QStringLiteral(KQ18_TOOL), QStringList{command} + arguments, environment);
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

// Dark pixels in each band of 120 rows from y = 380 on, where the texts lie.
QList<int> InkPerBand(const QImage &panel, int bands)
{
    QList<int> ink(bands, 0);
    for (int band = 0; band < bands; ++band) {
        for (int y = 380 + band * 120; y < 380 + (band + 1) * 120; ++y) {
            for (int x = 0; x < panel.width(); ++x)
                ink[band] += qGray(panel.pixel(x, y)) < 96;
        }
    }
    return ink;
}

// The Japanese faces have no bold style; bold text must still print bold.
TEST_F(PrintCommandTest, BoldTextIsBoldInTheFlattenedPanelAndThePdf)
{
    QImage background(860, 1060, QImage::Format_RGB32);
    background.fill(Qt::white);
    ASSERT_TRUE(background.save(Path(QStringLiteral("back.bmp")), "BMP"));
    QStringList lines{QStringLiteral("-1,背景,") + Path(QStringLiteral("back.bmp")) + QStringLiteral(",0,0")};
    int n = 0;
    for (const QString &face : {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ 明朝")}) {
        for (const char *bold : {"False", "True"}) {
            lines.append(QStringLiteral("%1,文字,300,40,%2,42,とけい/%3/clBlack/14/%4/False/clWhite,True,clWhite")
                             .arg(n)
                             .arg(380 + n * 120)
                             .arg(face, QString::fromLatin1(bold)));
            ++n;
        }
    }
    const QString panel = Path(QStringLiteral("bold.kq18"));
    ASSERT_TRUE(WriteTextLines(panel, lines));

    const QString png = Path(QStringLiteral("bold.png"));
    ASSERT_EQ(Run({panel, QStringLiteral("TL-1"), png}, QStringLiteral("flatten")), 0) << m_err.toStdString();
    const QString pdf = Path(QStringLiteral("bold.pdf"));
    ASSERT_EQ(Run({panel, QStringLiteral("TL-1"), pdf}), 0) << m_err.toStdString();
    const QImage printed = kq::testing::FirstPdfPicture(kq::testing::ReadBytes(pdf));
    ASSERT_EQ(printed.size(), QSize(860, 1060));

    for (const QImage &picture : {QImage(png), printed}) {
        const QList<int> ink = InkPerBand(picture, 4);
        for (int face = 0; face < 2; ++face) {
            EXPECT_GT(ink[2 * face], 1000) << face;
            EXPECT_GT(ink[2 * face + 1], ink[2 * face] * 5 / 4) << face << ": bold against regular";
        }
    }
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
