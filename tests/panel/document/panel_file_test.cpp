#include "panel/document/panel_document.h"

#include "base/text_file.h"
#include "panel/document/photo_encodings.h"
#include "panel/effects/effect_records.h"
#include "panel/effects/effect_replay.h"
#include "panel/effects/image_effects.h"
#include "panel/text/text_layer.h"
#include "panel_fixture.h"
#include "support/file_bytes.h"

#include <QDataStream>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace kq::panel {
namespace {

using kq::testing::ReadBytes;
using kq::testing::WriteBytes;
using testing::PanelFixture;

const QString kWholeArea = QStringLiteral("0/0/0/0/0/0/0/0");

QImage Part()
{
    QImage image = PanelFixture::Filled(QSize(20, 10), Qt::white);
    for (int y = 2; y < 8; ++y) {
        for (int x = 5; x < 15; ++x)
            image.setPixel(x, y, qRgb(200, 0, 0));
    }
    return image;
}

QImage Photo()
{
    QImage image(24, 16, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 10, y * 15, 128));
    }
    return image;
}

int LargestChannelDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max(
                {largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

// A BMP header that claims a picture of width x height, without its pixels.
QByteArray HugeBmpHeader(qint32 width, qint32 height)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(54 + 64) << quint32(0) << quint32(54);
    out << quint32(40) << width << height << quint16(1) << quint16(24) << quint32(0) << quint32(0) << qint32(2835)
        << qint32(2835) << quint32(0) << quint32(0);
    bytes.append(64, '\0');
    return bytes;
}

class PanelFileTest : public ::testing::Test {
protected:
    QString FilePath(const QString &name = QStringLiteral("panel.kq18")) const
    {
        return fixture.Root() + QLatin1Char('/') + name;
    }

    QStringList FileLines(const QString &path) const
    {
        const std::optional<TextFileContent> content = ReadTextLines(path, kPanelFileSizeLimit);
        return content ? content->lines : QStringList();
    }

    void WriteLines(const QString &path, const QStringList &lines) const { ASSERT_TRUE(WriteTextLines(path, lines)); }

    QString BackgroundPath(int model = 0) const
    {
        return fixture.PanelPaths().ProgramFile(DefaultBackground(KitModelAt(model)));
    }

    QString BackgroundLine(int model = 0) const
    {
        return QStringLiteral("-1,背景,") + BackgroundPath(model) + QStringLiteral(",0,0");
    }

    bool TempFolderHolds(const QString &name) const
    {
        return QFile::exists(fixture.PanelPaths().PanelTempFolder() + name);
    }

    PanelFixture fixture;
    PanelDocument document {KitModelAt(0), fixture.PanelPaths()};
};

TEST_F(PanelFileTest, ABackgroundOnlyPanelIsOneLineOfCp932WithCrLf)
{
    ASSERT_TRUE(document.Save(FilePath()));
    EXPECT_EQ(ReadBytes(FilePath()), QByteArray("-1,\x94w\x8ci,") + BackgroundPath().toUtf8() + QByteArray(",0,0\r\n"));
}

TEST_F(PanelFileTest, APhotoTravelsWithItsPixelsPositionAndTransparency)
{
    const QString photo = fixture.WriteUserPicture(QStringLiteral("cat.png"), Photo());
    ASSERT_TRUE(document.AddPhoto(photo));
    document.NudgeLayer(0, QPoint(12, 34));
    document.SetTransparency(0, true, QColor(Qt::red));
    document.ApplyProcessed(0, Photo(), {QStringLiteral("Blur,") + kWholeArea + QStringLiteral(",10")});
    std::vector<int> saveProgress;
    ASSERT_TRUE(document.Save(FilePath(), [&saveProgress](int percent) { saveProgress.push_back(percent); }));

    const QStringList lines = FileLines(FilePath());
    ASSERT_EQ(lines.size(), 2) << "the photo's blur is in its pixels";
    const QString photoStart = QStringLiteral("0,写真,") + photo + QStringLiteral(",12,34,True,clRed,");
    ASSERT_TRUE(lines.at(1).startsWith(photoStart));
    const QByteArray jpeg = QByteArray::fromBase64(lines.at(1).mid(photoStart.size()).toLatin1());
    EXPECT_TRUE(jpeg.startsWith("\xff\xd8")) << "base64 of a JPEG";
    EXPECT_FALSE(TempFolderHolds(QStringLiteral("save.jpg")));
    ASSERT_FALSE(saveProgress.empty());
    EXPECT_EQ(saveProgress.back(), 100);

    PanelDocument loaded(KitModelAt(0), fixture.PanelPaths());
    std::vector<int> loadProgress;
    ASSERT_TRUE(loaded.Load(FilePath(), [&loadProgress](int percent) { loadProgress.push_back(percent); }));
    ASSERT_EQ(loaded.LayerCount(), 1);
    EXPECT_EQ(loaded.Layer(0).position, QPoint(12, 34));
    EXPECT_TRUE(loaded.Layer(0).transparent);
    EXPECT_EQ(loaded.Layer(0).transparentColour, QColor(Qt::red));
    ASSERT_EQ(loaded.Layer(0).image.size(), Photo().size());
    EXPECT_EQ(loaded.Layer(0).image.format(), QImage::Format_RGB32);
    EXPECT_LE(LargestChannelDifference(loaded.Layer(0).image, Photo()), 8);
    EXPECT_EQ(loaded.Records(), (QStringList {BackgroundLine(), photoStart}));
    EXPECT_EQ(loaded.LayerListTexts().first(), QStringLiteral("写真：cat.png"));
    EXPECT_FALSE(TempFolderHolds(QStringLiteral("Read.jpg")));
    ASSERT_FALSE(loadProgress.empty());
    EXPECT_TRUE(std::is_sorted(loadProgress.begin(), loadProgress.end()));
    EXPECT_EQ(loadProgress.back(), 100);
}

TEST_F(PanelFileTest, OnlyTheEllipseCutOfAPhotoIsKeptInTheFile)
{
    const QString photo = fixture.WriteUserPicture(QStringLiteral("p.png"), Photo());
    const QString part = fixture.WriteUserPicture(QStringLiteral("q.png"), Part());
    ASSERT_TRUE(document.AddPhoto(photo));
    ASSERT_TRUE(document.AddPart(part, QPoint()));
    document.ApplyProcessed(0, Photo(), {QStringLiteral("SetGray,") + kWholeArea});
    document.ApplyProcessed(0, Photo(), {QStringLiteral("SelectImage,2/2/20/14")});
    document.ApplyProcessed(1, Part(), {QStringLiteral("SetGray,") + kWholeArea});
    ASSERT_TRUE(document.Save(FilePath()));

    const QStringList lines = FileLines(FilePath());
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("0,写真,") + photo + QStringLiteral(",0,0,True,clWhite,")));
    EXPECT_EQ(lines.mid(2),
              (QStringList {QStringLiteral("0,加工,SelectImage,2/2/20/14"),
                            QStringLiteral("1,部品,") + part + QStringLiteral(",0,0"),
                            QStringLiteral("1,加工,SetGray,") + kWholeArea}));
    EXPECT_EQ(document.Records().size(), 6) << "the document keeps its records";
}

TEST_F(PanelFileTest, APartsBlurIsAppliedAgainOnLoading)
{
    const QString part = fixture.WriteUserPicture(QStringLiteral("P9.gif"), Part());
    ASSERT_TRUE(document.AddPart(part, QPoint(362, 43)));
    const QString blur = QStringLiteral("Blur,") + kWholeArea + QStringLiteral(",10");
    QImage blurred = Part();
    UnattendedEffect control;
    ASSERT_EQ(ReplayEffect(blurred, blur.split(QLatin1Char(',')), control), EffectStatus::Applied);
    ASSERT_NE(blurred, Part());
    document.ApplyProcessed(0, blurred, {blur});
    ASSERT_TRUE(document.Save(FilePath()));
    EXPECT_EQ(FileLines(FilePath()),
              (QStringList {BackgroundLine(), QStringLiteral("0,部品,") + part + QStringLiteral(",362,43"),
                            QStringLiteral("0,加工,") + blur}));

    PanelDocument loaded(KitModelAt(0), fixture.PanelPaths());
    ASSERT_TRUE(loaded.Load(FilePath()));
    ASSERT_EQ(loaded.LayerCount(), 1);
    EXPECT_EQ(loaded.Layer(0).image, blurred);
    EXPECT_EQ(loaded.Layer(0).position, QPoint(362, 43));
    EXPECT_TRUE(loaded.Layer(0).transparent);
    EXPECT_EQ(loaded.Records(), document.Records());
}

TEST_F(PanelFileTest, SavingSortsTheRecordsByLayerKeepingEachLayersOrder)
{
    QStringList parts;
    for (int n = 0; n < 3; ++n) {
        parts.append(fixture.WriteUserPicture(QStringLiteral("%1.gif").arg(n), Part()));
        ASSERT_TRUE(document.AddPart(parts.last(), QPoint(n, n)));
        document.ApplyProcessed(n, Part(), {QStringLiteral("Sharp,") + kWholeArea + QStringLiteral(",%1").arg(n)});
    }
    document.Select(0);
    ASSERT_EQ(document.RaiseSelected(), std::nullopt);
    const auto part = [&parts](int file, int n) {
        return QString::number(n) + QStringLiteral(",部品,") + parts.at(file) + QStringLiteral(",%1,%1").arg(file);
    };
    const auto sharp = [](int strength, int n) {
        return QString::number(n) + QStringLiteral(",加工,Sharp,") + kWholeArea + QStringLiteral(",%1").arg(strength);
    };
    ASSERT_EQ(document.Records().at(1), part(0, 1));

    ASSERT_TRUE(document.Save(FilePath()));
    const QStringList sorted {BackgroundLine(), part(1, 0), sharp(1, 0), part(0, 1),
                              sharp(0, 1),      part(2, 2), sharp(2, 2)};
    EXPECT_EQ(FileLines(FilePath()), sorted);
    EXPECT_EQ(document.Records(), sorted);
}

TEST_F(PanelFileTest, AMissingPictureIsNamedAndTheOpenPanelStays)
{
    const QString part = fixture.WriteUserPicture(QStringLiteral("P10.gif"), Part());
    const QString background =
        fixture.WriteUserPicture(QStringLiteral("back.gif"), PanelFixture::Filled({860, 1060}, Qt::green));
    ASSERT_TRUE(document.ChooseBackground(background));
    ASSERT_TRUE(document.AddPart(part, QPoint(3, 4)));
    ASSERT_TRUE(document.Save(FilePath()));

    struct Case {
        QString moved;
        QString message;
    };
    const Case cases[] = {
        {part, QStringLiteral("部品ファイル ") + part + QStringLiteral(" が見つかりません。")},
        {background, QStringLiteral("背景ファイル ") + background + QStringLiteral(" が見つかりません。")},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(QFile::rename(c.moved, c.moved + QStringLiteral(".away")));
        PanelDocument open(KitModelAt(0), fixture.PanelPaths());
        const QString other = fixture.WriteUserPicture(QStringLiteral("other.gif"), Part());
        ASSERT_TRUE(open.AddPart(other, QPoint(7, 8)));
        const QStringList before = open.Records();

        const PanelFileResult result = open.Load(FilePath());
        EXPECT_EQ(result.status, PanelFileStatus::MissingPicture);
        EXPECT_EQ(result.message, c.message);
        EXPECT_EQ(open.Records(), before);
        EXPECT_EQ(open.LayerCount(), 1);
        ASSERT_TRUE(QFile::rename(c.moved + QStringLiteral(".away"), c.moved));
    }
}

TEST_F(PanelFileTest, TextRecordsAreRenderedAtTheLoadingModelsFactor)
{
    const QString text =
        QStringLiteral("0,文字,60,5,6,42,ほし/ＭＳ ゴシック/clBlack/14/True/False/clYellow,False,clYellow");
    WriteLines(FilePath(), {BackgroundLine(), text});
    struct Case {
        int model;
        QSize size;
    };
    // 60 x 42 preview pixels times 860/360 and 1890/720.
    const Case cases[] = {{0, QSize(143, 100)}, {2, QSize(158, 110)}};
    for (const Case &c : cases) {
        PanelDocument loaded(KitModelAt(c.model), fixture.PanelPaths());
        ASSERT_TRUE(loaded.Load(FilePath())) << c.model;
        ASSERT_EQ(loaded.LayerCount(), 1);
        EXPECT_EQ(loaded.Layer(0).image.size(), c.size) << c.model;
        EXPECT_EQ(loaded.Layer(0).position, QPoint(5, 6));
        EXPECT_FALSE(loaded.Layer(0).transparent);
        EXPECT_EQ(loaded.Layer(0).transparentColour, QColor(Qt::yellow));
        EXPECT_EQ(loaded.Layer(0).image.pixel(0, 0), QColor(Qt::yellow).rgb()) << "filled with the background colour";
        EXPECT_EQ(loaded.LayerListTexts().first(), QStringLiteral("文字：ほし"));
        EXPECT_EQ(loaded.Records().at(1), text);
    }
}

TEST_F(PanelFileTest, LinesOfUnknownKindsAndEffectsOfUnknownNamesAreIgnored)
{
    const QString part = fixture.WriteUserPicture(QStringLiteral("p.gif"), Part());
    const QString partLine = QStringLiteral("0,部品,") + part + QStringLiteral(",0,0");
    const QString unknownEffect = QStringLiteral("0,加工,Sparkle,") + kWholeArea;
    WriteLines(FilePath(), {BackgroundLine(), QStringLiteral("0,謎,x,y"), partLine, unknownEffect, QString()});
    ASSERT_TRUE(document.Load(FilePath()));
    EXPECT_EQ(document.Records(), (QStringList {BackgroundLine(), partLine, unknownEffect}));
    EXPECT_EQ(document.Layer(0).image, Part());
}

TEST_F(PanelFileTest, AFileWithoutBackgroundLineKeepsTheDefaultBackground)
{
    const QString part = fixture.WriteUserPicture(QStringLiteral("p.gif"), Part());
    WriteLines(FilePath(), {QStringLiteral("0,部品,") + part + QStringLiteral(",1,2")});
    ASSERT_TRUE(document.Load(FilePath()));
    EXPECT_EQ(document.Records().first(), BackgroundLine());
    EXPECT_EQ(document.LayerCount(), 1);
}

TEST_F(PanelFileTest, AFailedLoadLeavesTheOpenPanelAsItWas)
{
    const QString part = fixture.WriteUserPicture(QStringLiteral("p.gif"), Part());
    const QString partLine = QStringLiteral("0,部品,") + part + QStringLiteral(",0,0");
    const QString garbage = fixture.UserFile(QStringLiteral("garbage.gif"));
    WriteBytes(garbage, QByteArray("GIF89a not really"));
    const QString huge = fixture.UserFile(QStringLiteral("huge.bmp"));
    WriteBytes(huge, HugeBmpHeader(100000, 100000));
    const QString hugePhoto = QString::fromLatin1(HugeBmpHeader(30000, 30000).toBase64());
    const QString smallPhoto =
        QString::fromLatin1(ReadBytes(fixture.WriteUserPicture(QStringLiteral("s.png"), Photo())).toBase64());
    const QString photoStart = QStringLiteral("0,写真,") + part + QStringLiteral(",0,0,False,clWhite,");
    QStringList tooManyLayers {BackgroundLine()};
    for (int n = 0; n <= kMaxLayers; ++n)
        tooManyLayers.append(QString::number(n) + QStringLiteral(",部品,") + part + QStringLiteral(",0,0"));

    struct Case {
        const char *name;
        QStringList lines;
    };
    const Case cases[] = {
        {"damaged position", {BackgroundLine(), QStringLiteral("0,部品,") + part + QStringLiteral(",abc,0")}},
        {"too few fields", {BackgroundLine(), QStringLiteral("0,部品,") + part}},
        {"unreadable picture", {BackgroundLine(), QStringLiteral("0,部品,") + garbage + QStringLiteral(",0,0")}},
        {"absurd picture", {BackgroundLine(), QStringLiteral("0,部品,") + huge + QStringLiteral(",0,0")}},
        {"absurd background", {QStringLiteral("-1,背景,") + huge + QStringLiteral(",0,0")}},
        {"damaged base64", {BackgroundLine(), photoStart + QStringLiteral("@@@@")}},
        {"empty picture field", {BackgroundLine(), photoStart}},
        {"absurd photo", {BackgroundLine(), photoStart + hugePhoto}},
        {"damaged colour", {BackgroundLine(), QStringLiteral("0,写真,x,0,0,False,clNope,") + smallPhoto}},
        {"a layer missing", {BackgroundLine(), QStringLiteral("1,部品,") + part + QStringLiteral(",0,0")}},
        {"layer number missing", {BackgroundLine(), QStringLiteral("x,部品,") + part + QStringLiteral(",0,0")}},
        {"effect without layer",
         {BackgroundLine(), partLine, QStringLiteral("1,加工,Blur,") + kWholeArea + QStringLiteral(",10")}},
        {"effect before its layer",
         {BackgroundLine(), QStringLiteral("0,加工,Blur,") + kWholeArea + QStringLiteral(",10"), partLine}},
        {"damaged effect",
         {BackgroundLine(), partLine, QStringLiteral("0,加工,Blur,") + kWholeArea + QStringLiteral(",abc")}},
        {"damaged text",
         {BackgroundLine(), QStringLiteral("0,文字,60,0,0,42,a/b/clBlack/99/False/False/clWhite,True,clWhite")}},
        {"absurd text",
         {BackgroundLine(), QStringLiteral("0,文字,30000,0,0,30000,a/b/clBlack/14/False/False/clWhite,True,clWhite")}},
        {"second background", {BackgroundLine(), partLine, BackgroundLine()}},
        {"background numbered as a layer", {QStringLiteral("0,背景,") + BackgroundPath() + QStringLiteral(",0,0")}},
        {"91 layers", tooManyLayers},
    };

    const QString photo = fixture.WriteUserPicture(QStringLiteral("mine.png"), Photo());
    ASSERT_TRUE(document.AddPhoto(photo));
    document.NudgeLayer(0, QPoint(1, 1));
    const QStringList before = document.Records();
    const QImage pixels = document.Layer(0).image;
    document.Select(0);
    for (const Case &c : cases) {
        WriteLines(FilePath(), c.lines);
        const PanelFileResult result = document.Load(FilePath());
        EXPECT_EQ(result.status, PanelFileStatus::Failed) << c.name;
        EXPECT_EQ(result.message, kPanelReadFailedMessage) << c.name;
        EXPECT_EQ(document.Records(), before) << c.name;
        ASSERT_EQ(document.LayerCount(), 1) << c.name;
        EXPECT_EQ(document.Layer(0).image, pixels) << c.name;
        EXPECT_EQ(document.Selected(), 0) << c.name;
    }

    const QByteArray notCp932("-1,\x94w\x8ci,\x82\r\n");
    const QString unreadable[] = {FilePath(QStringLiteral("absent.kq18")), FilePath(QStringLiteral("bytes.kq18"))};
    WriteBytes(unreadable[1], notCp932);
    for (const QString &path : unreadable) {
        EXPECT_EQ(document.Load(path).message, kPanelReadFailedMessage);
        EXPECT_EQ(document.Records(), before);
    }
}

TEST_F(PanelFileTest, AFailedSaveSaysSoAndLeavesTheOldFile)
{
    const QByteArray old("old contents\r\n");
    WriteBytes(FilePath(), old);
    const QString folder = FilePath(QStringLiteral("no such folder"));
    ASSERT_TRUE(document.AddPhoto(fixture.WriteUserPicture(QStringLiteral("p.png"), Photo())));
    const PanelFileResult result = document.Save(folder + QStringLiteral("/panel.kq18"));
    EXPECT_EQ(result.status, PanelFileStatus::Failed);
    EXPECT_EQ(result.message, kPanelSaveFailedMessage);
    EXPECT_FALSE(QFile::exists(folder));
    EXPECT_EQ(ReadBytes(FilePath()), old);
}

// Left half red, right half blue: a fit that crops or stretches shows.
QImage HalvedPhoto(QSize size)
{
    QImage image = PanelFixture::Filled(size, Qt::red);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = size.width() / 2; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    }
    return image;
}

TEST_F(PanelFileTest, APhotoLargerThanThePanelArrivesFittedWithItsResizeRecord)
{
    struct Case {
        int model;
        QSize photo;
        QSize added;  // the photo's own size: no resize record
    };
    const Case cases[] = {
        {0, {1720, 1290}, {860, 645}},  // TL-1 860 x 1060: too wide
        {0, {900, 2120}, {450, 1060}},  // too tall
        {0, {861, 100}, {860, 99}},  // one pixel too wide
        {2, {1720, 1290}, {786, 590}},  // TL-3 1890 x 590
        {0, {860, 1060}, {860, 1060}},  // exactly the panel
        {0, {240, 160}, {240, 160}},
    };
    for (const Case &c : cases) {
        const std::string name = std::to_string(c.photo.width()) + "x" + std::to_string(c.photo.height());
        PanelDocument made(KitModelAt(c.model), fixture.PanelPaths());
        const QString photo = fixture.WriteUserPicture(QStringLiteral("big.png"), HalvedPhoto(c.photo));
        ASSERT_TRUE(made.AddPhoto(photo)) << name;
        const QImage &added = made.Layer(0).image;
        ASSERT_EQ(added.size(), c.added) << name;
        EXPECT_EQ(added.pixel(2, c.added.height() / 2), qRgb(255, 0, 0)) << name;
        EXPECT_EQ(added.pixel(c.added.width() - 3, c.added.height() / 2), qRgb(0, 0, 255)) << name;
        QStringList records {BackgroundLine(c.model),
                             QStringLiteral("0,写真,") + photo + QStringLiteral(",0,0,False,clWhite,")};
        if (c.added != c.photo)
            records.append(
                QStringLiteral("0,加工,Resize,%1,%2,%3,True").arg(kWholeArea).arg(c.added.width()).arg(c.added.height()));
        EXPECT_EQ(made.Records(), records) << name;

        // The file carries the fitted pixels: it reopens at the same size.
        ASSERT_TRUE(made.Save(FilePath())) << name;
        PanelDocument loaded(KitModelAt(c.model), fixture.PanelPaths());
        ASSERT_TRUE(loaded.Load(FilePath())) << name;
        ASSERT_EQ(loaded.LayerCount(), 1) << name;
        ASSERT_EQ(loaded.Layer(0).image.size(), c.added) << name;
        const QImage &reopened = loaded.Layer(0).image;
        EXPECT_GT(qRed(reopened.pixel(2, c.added.height() / 2)), 240) << name;
        EXPECT_GT(qBlue(reopened.pixel(c.added.width() - 3, c.added.height() / 2)), 240) << name;
        EXPECT_EQ(loaded.Records(), made.Records().mid(0, 2)) << name;
    }

    // Undo takes the photo and its record away together.
    ASSERT_TRUE(document.AddPhoto(fixture.WriteUserPicture(QStringLiteral("big.png"), HalvedPhoto({1720, 1290}))));
    document.RestoreSnapshot();
    EXPECT_EQ(document.LayerCount(), 0);
    EXPECT_EQ(document.Records(), QStringList {BackgroundLine()});
}

// The record keeps what the file can hold of the path; the photo itself
// travels in the file.
TEST_F(PanelFileTest, APhotoFromAnyFolderSavesAndReopens)
{
    for (const QString &folder : {QStringLiteral("Desktop/M\u00FCller"), QStringLiteral("\uC0AC\uC9C4"),
                                  QStringLiteral("a,b \U0001F600")}) {
        PanelDocument made(KitModelAt(0), fixture.PanelPaths());
        const QString photo = fixture.WriteUserPicture(folder + QStringLiteral("/cat.png"), Photo());
        ASSERT_TRUE(made.AddPhoto(photo)) << qPrintable(folder);
        EXPECT_EQ(made.Records().at(1), QStringLiteral("0,写真,") + StorableRecordPath(photo)
                                            + QStringLiteral(",0,0,False,clWhite,"));
        ASSERT_TRUE(made.Save(FilePath())) << qPrintable(folder);

        PanelDocument loaded(KitModelAt(0), fixture.PanelPaths());
        ASSERT_TRUE(loaded.Load(FilePath())) << qPrintable(folder);
        ASSERT_EQ(loaded.LayerCount(), 1);
        EXPECT_LE(LargestChannelDifference(loaded.Layer(0).image, Photo()), 8);
        EXPECT_EQ(loaded.Records(), made.Records());
        EXPECT_EQ(loaded.LayerListTexts().first(), QStringLiteral("写真：cat.png"));
    }
}

// A panel made at school (installed under /usr), at home (a home folder) or
// on Windows names its pictures where they lay there.
TEST_F(PanelFileTest, PicturesAreFoundUnderThisMachinesDataTreeOrBesideThePanelFile)
{
    const QString part = fixture.WriteProgramPicture(QStringLiteral("Img/Material/TL-1/PartsImage/P1.gif"), Part());
    QImage own = Part();
    own.setPixel(0, 0, qRgb(1, 2, 3));
    const QString mine = PanelFixture::WritePicture(FilePath(QStringLiteral("Mine.gif")), own);
    struct Case {
        const char *written;
        QString found;
        QImage picture;
    };
    const Case cases[] = {
        {"/usr/share/kq27/KQ-18/Img/Material/TL-1/PartsImage/P1.gif", part, Part()},
        {"/home/taro/kq27/build/KQ-18/Img/Material/TL-1/PartsImage/P1.gif", part, Part()},
        {"C:\\Program Files\\KQ-27\\KQ-18\\Img\\Material\\TL-1\\PartsImage\\P1.gif", part, Part()},
        {"d:\\kq\\img\\MATERIAL\\tl-1\\PartsImage\\p1.GIF", part, Part()},
        {"C:\\Users\\taro\\Desktop\\Mine.gif", mine, own},
        {"/home/hanako/Pictures/mine.GIF", mine, own},
    };
    for (const Case &c : cases) {
        const QString written = QString::fromUtf8(c.written);
        const QString windowsBackground =
            QStringLiteral("C:\\KQ\\KQ-18\\Img\\Material\\TL-1\\BackImage\\1.gif");
        WriteLines(FilePath(), {QStringLiteral("-1,背景,") + windowsBackground + QStringLiteral(",0,0"),
                                QStringLiteral("0,部品,") + written + QStringLiteral(",5,6")});
        PanelDocument loaded(KitModelAt(0), fixture.PanelPaths());
        ASSERT_TRUE(loaded.Load(FilePath())) << c.written;
        ASSERT_EQ(loaded.LayerCount(), 1);
        EXPECT_EQ(loaded.Layer(0).image, c.picture) << c.written;
        EXPECT_EQ(loaded.Background(), PanelFixture::Filled({860, 1060}, testing::kBackgroundColour));
        // Saved again, the panel names the pictures where they are here.
        ASSERT_TRUE(loaded.Save(FilePath(QStringLiteral("again.kq18"))));
        EXPECT_EQ(FileLines(FilePath(QStringLiteral("again.kq18"))),
                  (QStringList {BackgroundLine(), QStringLiteral("0,部品,") + c.found + QStringLiteral(",5,6")}));
    }

    const QString nowhere = QStringLiteral("C:\\KQ\\Img\\Material\\TL-1\\PartsImage\\P99.gif");
    WriteLines(FilePath(), {BackgroundLine(), QStringLiteral("0,部品,") + nowhere + QStringLiteral(",5,6")});
    EXPECT_EQ(document.Load(FilePath()).message, PictureNotFoundMessage(kPartKind, nowhere));
}

TEST_F(PanelFileTest, LayerLinesOutOfOrderAreReadInLayerOrder)
{
    const QString part = fixture.WriteUserPicture(QStringLiteral("p.gif"), Part());
    const QString mirror = QStringLiteral("1,加工,Rotation,") + kWholeArea + QStringLiteral(",0,True,False,True,0,0,0,False");
    const QString second = QStringLiteral("1,部品,") + part + QStringLiteral(",10,20");
    const QString first = QStringLiteral("0,部品,") + part + QStringLiteral(",1,2");
    WriteLines(FilePath(), {second, mirror, first, BackgroundLine()});
    ASSERT_TRUE(document.Load(FilePath()));
    EXPECT_EQ(document.Records(), (QStringList {BackgroundLine(), first, second, mirror}));
    ASSERT_EQ(document.LayerCount(), 2);
    EXPECT_EQ(document.Layer(0).image, Part());
    EXPECT_EQ(document.Layer(1).image, Part().mirrored(true, false));
    EXPECT_EQ(document.Layer(1).position, QPoint(10, 20));
}

int BlackPixels(const QImage &image)
{
    int black = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            black += image.pixel(x, y) == qRgb(0, 0, 0);
    }
    return black;
}

// The rotation page fills the corners it uncovers with the transparent colour
// while the layer's transparency is on, so they vanish; the reopened panel
// must show them as the window did.
TEST_F(PanelFileTest, ATurnedLayerReopensWithoutCornersTheWindowDidNotShow)
{
    const QString part = fixture.WriteUserPicture(QStringLiteral("p.gif"), Part());
    ASSERT_TRUE(document.AddPart(part, QPoint(50, 60)));
    TextRecord text;
    text.description = {QStringLiteral("とけい"), kDefaultTextFace, Qt::red, 14, false, false, Qt::yellow};
    text.measured = MeasureText(text.description);
    text.transparentColour = Qt::yellow;
    ASSERT_TRUE(document.AddText(text));
    document.MoveLayerTo(1, QPoint(300, 400));
    document.CommitPosition(1);
    for (int n = 0; n < 2; ++n) {
        const RotationEffect turn{{}, 30, false, false, document.Layer(n).transparentColour};
        QImage turned = document.Layer(n).image;
        UnattendedEffect control;
        ASSERT_TRUE(ApplyEffect(turned, turn, control));
        document.ApplyProcessed(n, turned, {EffectRecord(turn)});
    }
    const QImage shown = document.Flatten(false);
    ASSERT_EQ(BlackPixels(shown), 0);
    ASSERT_TRUE(document.Save(FilePath()));

    PanelDocument loaded(KitModelAt(0), fixture.PanelPaths());
    ASSERT_TRUE(loaded.Load(FilePath()));
    EXPECT_EQ(loaded.Flatten(false), shown);
}
TEST_F(PanelFileTest, TheOverwriteQuestionIsNeededForAnExistingFile)
{
    EXPECT_FALSE(NeedsOverwriteQuestion(PanelFileSaveName(FilePath(QStringLiteral("new")))));
    ASSERT_TRUE(document.Save(PanelFileSaveName(FilePath(QStringLiteral("new")))));
    EXPECT_TRUE(NeedsOverwriteQuestion(PanelFileSaveName(FilePath(QStringLiteral("new")))));
}

// The file writer of the recovery copy and the save share one encoding per
// picture: only a changed photo is encoded again, and a photo read from a
// file is written back as it came.
TEST_F(PanelFileTest, AnUnchangedPhotoIsNotEncodedAgain)
{
    for (const QString &name : {QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png")})
        ASSERT_TRUE(document.AddPhoto(fixture.WriteUserPicture(name, Photo())));
    const std::optional<QByteArray> first = document.FileWriter()();
    ASSERT_TRUE(first);
    EXPECT_EQ(document.Encodings().EncodedCount(), 3);

    ASSERT_TRUE(document.Save(FilePath()));
    EXPECT_EQ(ReadBytes(FilePath()), *first);
    EXPECT_EQ(document.Encodings().EncodedCount(), 3);

    document.ApplyProcessed(1, Photo().mirrored(true, false), {QStringLiteral("Blur,") + kWholeArea + QStringLiteral(",10")});
    const std::optional<QByteArray> changed = document.FileWriter()();
    ASSERT_TRUE(changed);
    EXPECT_NE(*changed, *first);
    EXPECT_EQ(document.Encodings().EncodedCount(), 4);

    PanelDocument loaded(KitModelAt(0), fixture.PanelPaths());
    ASSERT_TRUE(loaded.Load(FilePath()));
    ASSERT_TRUE(loaded.Save(FilePath(QStringLiteral("again.kq18"))));
    EXPECT_EQ(ReadBytes(FilePath(QStringLiteral("again.kq18"))), ReadBytes(FilePath()));
    EXPECT_EQ(loaded.Encodings().EncodedCount(), 0);
}

// The writer holds its own copies: what the window does afterwards is not in
// the bytes, and the document's records keep their order.
TEST_F(PanelFileTest, TheFileWriterWritesThePanelAsItWasWhenMade)
{
    ASSERT_TRUE(document.AddPart(fixture.WriteUserPicture(QStringLiteral("part.png"), Part()), QPoint(3, 4)));
    ASSERT_TRUE(document.AddPhoto(fixture.WriteUserPicture(QStringLiteral("p.png"), Photo())));
    document.Select(1);
    ASSERT_FALSE(document.LowerSelected());
    const QStringList unsorted = document.Records();
    const auto writer = document.FileWriter();
    document.DeleteLayer(0);

    const std::optional<QByteArray> bytes = writer();
    ASSERT_TRUE(bytes);
    EXPECT_EQ(document.Records().size(), 2);
    PanelDocument loaded(KitModelAt(0), fixture.PanelPaths());
    ASSERT_TRUE(loaded.LoadBytes(*bytes, QString()));
    EXPECT_EQ(loaded.LayerCount(), 2);
    EXPECT_EQ(loaded.KindOf(0), LayerKind::Photo);
    EXPECT_EQ(loaded.Layer(1).position, QPoint(3, 4));
    EXPECT_NE(unsorted, SortRecordsByLayer(unsorted));
}

}  // namespace
}  // namespace kq::panel
