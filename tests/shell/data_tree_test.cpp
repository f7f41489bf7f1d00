// The installed data tree made by the build: the menu's pictures fit their
// places, the help site has no broken link, the stop sound is a playable WAV.
#include "base/start_arguments.h"
#include "context/studio_context.h"
#include "controls/clickable_picture.h"
#include "device/virtual_clock.h"
#include "model/catalogue.h"
#include "shell/main_menu.h"
#include "support/fake_waiter.h"
#include "support/recording_dialogs.h"

#include <QDataStream>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq::testing {
namespace {

const QString kDataDir = QStringLiteral(KQ_DATA_DIR);

class DataTreeTest : public ::testing::Test {
protected:
    QTemporaryDir appData;
    Paths paths{kDataDir, appData.path()};
};

QSize PictureSize(const Paths &paths, const QString &file)
{
    return QImage(paths.ProgramFile(file)).size();
}

TEST_F(DataTreeTest, EveryMenuPictureIsInstalledAtTheSizeOfItsPlace)
{
    RecordingDialogs dialogs;
    FakeWaiter waiter;
    VirtualClock clock;
    StudioContext context(dialogs, waiter, paths, clock);
    MainMenu menu(context);

    EXPECT_EQ(menu.size(), QSize(655, 494));
    EXPECT_TRUE(menu.windowFlags() & Qt::FramelessWindowHint);
    const QList<ClickablePicture *> pictures = menu.findChildren<ClickablePicture *>();
    EXPECT_EQ(pictures.size(), 16);
    for (ClickablePicture *picture : pictures) {
        const QString name = picture->objectName();
        EXPECT_EQ(PictureSize(paths, QStringLiteral("Img/Menu/%1.bmp").arg(name)), picture->size()) << qPrintable(name);
        EXPECT_EQ(picture->cursor().shape(), Qt::PointingHandCursor) << qPrintable(name);
    }
    for (const char *page : {"Page1", "Page2"})
        EXPECT_EQ(PictureSize(paths, QStringLiteral("Img/Menu/%1.bmp").arg(QLatin1String(page))), QSize(655, 494));
    EXPECT_EQ(PictureSize(paths, QStringLiteral("Img/Menu/Splash.bmp")), QSize(445, 314));
    EXPECT_EQ(PictureSize(paths, QStringLiteral("Img/DataView/DataView.bmp")), QSize(765, 250));

    auto *version = menu.findChild<QLabel *>(QStringLiteral("VersionLabel"));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), QStringLiteral("ver 3.3　"));
    // The package's version is the one the menu shows.
    EXPECT_TRUE(ProgramVersion().startsWith(QStringLiteral("3.3."))) << qPrintable(ProgramVersion());
    EXPECT_EQ(version->font().pixelSize(), 27);
}

TEST_F(DataTreeTest, EveryLinkOfTheHelpSiteLeadsToAnInstalledFile)
{
    const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#:]+)(?:#[^\"]*)?\""));
    int pages = 0;
    for (QDirIterator it(paths.ProgramFile(QStringLiteral("HTML")), {QStringLiteral("*.html")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString page = it.next();
        ++pages;
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (auto match = link.globalMatch(html); match.hasNext();) {
            const QString target = match.next().captured(1);
            EXPECT_TRUE(QFileInfo::exists(QFileInfo(page).dir().filePath(target)))
                << qPrintable(page) << " -> " << qPrintable(target);
        }
    }
    EXPECT_GT(pages, 10);

    // The notice about older clocks sends the pupil to this topic by name.
    QFile index(paths.ProgramFile(QStringLiteral("HTML/Navi/KQ-27navi.html")));
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(index.readAll()).contains(QStringLiteral("KQ-27の対応状況について")));
}

TEST_F(DataTreeTest, MemoryPageShowsTheCatalogueSizesOfBothKindsOfClock)
{
    QFile file(paths.ProgramFile(QStringLiteral("HTML/Navi/memory.html")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    const ParameterList brighter{2, {}};
    const QString row = QStringLiteral("<td>設定値より明るければ</td><td class=\"bytes\">%1<span class=\"older\">"
                                       "（2016年度以前の本体では %2）</span>")
                            .arg(CommandSizeOf(u"if", brighter, kCurrentGeneration))
                            .arg(CommandSizeOf(u"if", brighter, kOlderGeneration));
    EXPECT_TRUE(html.contains(row)) << qPrintable(row);
    for (InstructionKind kind : kInstructionKinds) {
        for (const QString &label : DialogLabelsOf(kind, kCurrentGeneration))
            EXPECT_TRUE(html.contains(QStringLiteral("<td>") + label + QStringLiteral("</td>"))) << qPrintable(label);
    }
}

TEST_F(DataTreeTest, StopSoundIsAnEightBitMonoPcmWave)
{
    QFile file(paths.ProgramFile(QStringLiteral("Stop.WAV")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GT(bytes.size(), 44);
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    char tag[4];
    quint32 riffSize, fmtSize, rate, byteRate, dataSize;
    quint16 format, channels, align, bits;
    in.readRawData(tag, 4);
    EXPECT_EQ(QByteArray(tag, 4), "RIFF");
    in >> riffSize;
    EXPECT_EQ(riffSize, quint32(bytes.size() - 8));
    char wave[8];
    in.readRawData(wave, 8);
    EXPECT_EQ(QByteArray(wave, 8), "WAVEfmt ");
    in >> fmtSize >> format >> channels >> rate >> byteRate >> align >> bits;
    EXPECT_EQ(fmtSize, 16u);
    EXPECT_EQ(format, 1);
    EXPECT_EQ(channels, 1);
    EXPECT_EQ(rate, 48000u);
    EXPECT_EQ(bits, 8);
    in.readRawData(tag, 4);
    EXPECT_EQ(QByteArray(tag, 4), "data");
    in >> dataSize;
    EXPECT_EQ(dataSize, quint32(bytes.size() - 44));
}

}  // namespace
}  // namespace kq::testing
