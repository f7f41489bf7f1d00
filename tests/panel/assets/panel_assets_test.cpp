// The panel maker's data tree made by the build: every picture the panel
// maker opens exists for all six kit models, is the format its name says,
// has the size its place needs, and the see-through colours are where the
// panel shows.
#include "base/paths.h"
#include "panel/model/kit_model.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTransform>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

namespace kq::panel {
namespace {

class PanelAssetsTest : public ::testing::Test {
protected:
    QTemporaryDir appData;
    Paths panelPaths{Paths(QStringLiteral(KQ_DATA_DIR), appData.path()).PanelProgramFolder(), appData.path()};

    // Reads a picture of the tree by content, as the panel maker does;
    // format names what the content is, whatever the suffix says.
    QImage Read(const QString &relative, QByteArray *format = nullptr) const
    {
        QImageReader reader(panelPaths.ProgramFile(relative));
        reader.setDecideFormatFromContent(true);
        if (format)
            *format = reader.format();
        return reader.read().convertToFormat(QImage::Format_RGB32);
    }
};

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;

double ShareOf(const QImage &image, const QRect &area, QRgb colour)
{
    qint64 count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour;
    }
    return double(count) / (qint64(area.width()) * area.height());
}

double MeanLightness(const QImage &image)
{
    double sum = 0;
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4)
            sum += qGray(image.pixel(x, y));
    }
    return sum / (((image.height() + 3) / 4) * ((image.width() + 3) / 4));
}

TEST_F(PanelAssetsTest, EveryModelHasItsFrameBackgroundsOverlayAndProductPhotoAtTheirSizes)
{
    for (int index = 0; index < kKitModelCount; ++index) {
        const KitModel &model = KitModelAt(index);
        SCOPED_TRACE(model.code.toStdString());
        QByteArray format;

        const QImage frame = Read(PanelFramePicture(model), &format);
        EXPECT_EQ(format, "jpeg");
        const QSize pictureArea = model.group == LayoutGroup::Tall ? QSize(480, 530) : QSize(798, 292);
        EXPECT_EQ(frame.size(), pictureArea);
        EXPECT_TRUE(QRect(QPoint(0, 0), pictureArea).contains(model.canvas));

        const QStringList backgrounds =
            QDir(panelPaths.ProgramFile(BackgroundFolder(model))).entryList({QStringLiteral("*.gif")}, QDir::Files);
        EXPECT_GE(backgrounds.size(), 6);
        for (int number = 1; number <= 6; ++number)
            EXPECT_TRUE(backgrounds.contains(QStringLiteral("%1.gif").arg(number))) << number;
        for (const QString &name : backgrounds) {
            const QImage background = Read(BackgroundFolder(model) + QLatin1Char('/') + name, &format);
            EXPECT_EQ(format, "gif") << qPrintable(name);
            EXPECT_EQ(background.size(), model.panelSize) << qPrintable(name);
        }
        // The default a pupil starts from is light and calm.
        EXPECT_GT(MeanLightness(Read(DefaultBackground(model))), 200);

        const QImage overlay = Read(FrameOverlay(model), &format);
        EXPECT_EQ(format, "gif");
        ASSERT_EQ(overlay.size(), model.panelSize);

        const QImage photo = Read(ProductPhoto(model), &format);
        EXPECT_EQ(format, "bmp");
        EXPECT_EQ(photo.size(), model.sheetSize);
    }
}

TEST_F(PanelAssetsTest, OverlayIsBlackWhereTheDesignShowsAndDrawsTheFittingsAround)
{
    for (int index = 0; index < kKitModelCount; ++index) {
        const KitModel &model = KitModelAt(index);
        SCOPED_TRACE(model.code.toStdString());
        const QImage overlay = Read(FrameOverlay(model));
        ASSERT_EQ(overlay.size(), model.panelSize);
        const QRect whole = overlay.rect();
        EXPECT_GT(ShareOf(overlay, whole, kBlack), 0.6);
        // The middle band of the design is open; the corners and the
        // rim belong to the clock's frame.
        EXPECT_GT(
            ShareOf(overlay,
                    whole.adjusted(whole.width() / 8, whole.height() / 3, -whole.width() / 8, -whole.height() / 3),
                    kBlack),
            0.5);
        for (const QPoint corner : {whole.topLeft(), whole.topRight(), whole.bottomLeft(), whole.bottomRight()})
            EXPECT_NE(overlay.pixel(corner), kBlack) << corner.x() << "," << corner.y();
        EXPECT_LT(ShareOf(overlay, QRect(0, 0, whole.width(), 2), kBlack), 0.01);
    }
}

TEST_F(PanelAssetsTest, ProductPhotoIsBlackExactlyWhereTheScaledAndTurnedPanelLies)
{
    for (int index = 0; index < kKitModelCount; ++index) {
        const KitModel &model = KitModelAt(index);
        SCOPED_TRACE(model.code.toStdString());
        const QImage photo = Read(ProductPhoto(model));
        ASSERT_EQ(photo.size(), model.sheetSize);

        // Where the product page lays the panel: resized, turned about its
        // middle, its bounding box at the product position.
        const QSize scaled(qRound(model.panelSize.width() * model.productScale),
                           qRound(model.panelSize.height() * model.productScale));
        const QRect turned = QTransform()
                                 .rotate(model.productTurnDegrees)
                                 .mapRect(QRectF(QPointF(0, 0), QSizeF(scaled)))
                                 .toAlignedRect();
        const QRect bounds(model.productPosition, turned.size());
        const QRect panel(bounds.center() - QPoint(scaled.width() / 2, scaled.height() / 2), scaled);

        EXPECT_GT(ShareOf(photo,
                          panel.adjusted(scaled.width() / 10, scaled.height() / 10, -scaled.width() / 10,
                                         -scaled.height() / 10),
                          kBlack),
                  0.6);
        const QRect around = bounds.adjusted(-2, -2, 2, 2);
        qint64 blackOutside = 0;
        for (int y = 0; y < photo.height(); ++y) {
            for (int x = 0; x < photo.width(); ++x)
                blackOutside += photo.pixel(x, y) == kBlack && !around.contains(x, y);
        }
        EXPECT_EQ(blackOutside, 0);
    }
}

TEST_F(PanelAssetsTest, PartsAreRealGifsOnPureWhiteWithTheNamesOfThePresetPositions)
{
    const QStringList numbers = {QStringLiteral("1"), QStringLiteral("2"),  QStringLiteral("3"),  QStringLiteral("4"),
                                 QStringLiteral("5"), QStringLiteral("6"),  QStringLiteral("7"),  QStringLiteral("8"),
                                 QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12")};
    QStringList tl1;
    for (int n = 1; n <= 14; ++n)
        tl1 << QStringLiteral("P%1").arg(n);
    const std::map<QString, QStringList> named = {
        {QStringLiteral("TL-1"), tl1},
        {QStringLiteral("TL-2"), numbers},
        {QStringLiteral("TL-6"),
         numbers + QStringList {QStringLiteral("30"), QStringLiteral("31"), QStringLiteral("32")}},
    };

    for (int index = 0; index < kKitModelCount; ++index) {
        const KitModel &model = KitModelAt(index);
        SCOPED_TRACE(model.code.toStdString());
        const QStringList parts =
            QDir(panelPaths.ProgramFile(PartsFolder(model))).entryList({QStringLiteral("*.gif")}, QDir::Files);
        EXPECT_GE(parts.size(), 12);
        if (const auto found = named.find(model.code); found != named.end()) {
            for (const QString &name : found->second)
                EXPECT_TRUE(parts.contains(name + QStringLiteral(".gif"))) << qPrintable(name);
        }
        for (const QString &name : parts) {
            QByteArray format;
            const QImage part = Read(PartsFolder(model) + QLatin1Char('/') + name, &format);
            EXPECT_EQ(format, "gif") << qPrintable(name);
            ASSERT_FALSE(part.isNull()) << qPrintable(name);
            EXPECT_LE(part.width(), model.panelSize.width()) << qPrintable(name);
            EXPECT_LE(part.height(), model.panelSize.height()) << qPrintable(name);
            // The rim is the see-through white, the figure is drawn inside.
            const QRect rim = part.rect();
            EXPECT_EQ(ShareOf(part, QRect(0, 0, rim.width(), 1), kWhite), 1.0) << qPrintable(name);
            EXPECT_EQ(ShareOf(part, QRect(0, rim.bottom(), rim.width(), 1), kWhite), 1.0) << qPrintable(name);
            EXPECT_EQ(ShareOf(part, QRect(0, 0, 1, rim.height()), kWhite), 1.0) << qPrintable(name);
            EXPECT_EQ(ShareOf(part, QRect(rim.right(), 0, 1, rim.height()), kWhite), 1.0) << qPrintable(name);
            EXPECT_LT(ShareOf(part, rim, kWhite), 0.8) << qPrintable(name);
        }
    }
}

TEST_F(PanelAssetsTest, WindowPicturesHaveTheSizesOfTheirPlaces)
{
    struct Picture {
        const char *file;
        QSize size;
    };
    const Picture pictures[] = {
        {"Img/Panel/back1.jpg", {1000, 700}},       {"Img/Panel/back2.jpg", {1000, 560}},
        {"Img/Button/TabButton1.jpg", {140, 36}},   {"Img/Button/TabButton2.jpg", {140, 36}},
        {"Img/Button/TabButton3.jpg", {140, 36}},   {"Img/Button/TabButton1-1.jpg", {140, 36}},
        {"Img/Button/TabButton2-1.jpg", {140, 36}}, {"Img/Button/TabButton3-1.jpg", {140, 36}},
        {"Img/Button/Read.bmp", {64, 64}},          {"Img/Button/Save.bmp", {64, 64}},
        {"Img/Button/Output.bmp", {64, 64}},        {"Img/Button/Print.bmp", {64, 64}},
        {"Img/Button/Background.bmp", {64, 64}},    {"Img/Button/Part.bmp", {64, 64}},
        {"Img/Button/Photo.bmp", {64, 64}},         {"Img/Button/Text.bmp", {64, 64}},
        {"Img/Button/Help.bmp", {64, 64}},          {"Img/Button/LayerUp.bmp", {32, 32}},
        {"Img/Button/LayerDown.bmp", {32, 32}},     {"Img/Button/TextOK.bmp", {96, 40}},
        {"Img/Button/PrintGo.bmp", {120, 48}},      {"Img/Menu/Menu.bmp", {760, 520}},
        {"Img/Menu/Close.bmp", {48, 48}},           {"Img/Menu/Splash.bmp", {480, 300}},
    };
    for (const Picture &picture : pictures)
        EXPECT_EQ(Read(QLatin1String(picture.file)).size(), picture.size) << picture.file;
    for (int n = 31; n <= 38; ++n)
        EXPECT_EQ(Read(QStringLiteral("Img/Button/EB%1.bmp").arg(n)).size(), QSize(40, 40)) << n;
    for (int index = 0; index < kKitModelCount; ++index) {
        const QString file = QStringLiteral("Img/Menu/%1.bmp").arg(KitModelAt(index).code);
        EXPECT_EQ(Read(file).size(), QSize(220, 160)) << qPrintable(file);
    }
}

// The outermost rows and columns of a picture, clockwise from the top-left.
QList<QRgb> EdgePixels(const QImage &image)
{
    QList<QRgb> edge;
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    for (int x = 0; x <= right; ++x)
        edge << image.pixel(x, 0) << image.pixel(x, bottom);
    for (int y = 0; y <= bottom; ++y)
        edge << image.pixel(0, y) << image.pixel(right, y);
    return edge;
}

// JPEG leaves a little ringing beside strong edges; the frames' shadows
// differ from the page by twice as much.
bool Near(QRgb a, QRgb b, int tolerance = 24)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
           && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Nothing is cut off: each frame ends inside its picture, the page colour all
// round it, and the menu's border runs round the whole menu.
TEST_F(PanelAssetsTest, FramesAndTheMenuAreDrawnWhole)
{
    for (int index = 0; index < kKitModelCount; ++index) {
        const KitModel &model = KitModelAt(index);
        const QImage frame = Read(PanelFramePicture(model));
        const QRgb page = frame.pixel(0, 0);
        const QList<QRgb> edge = EdgePixels(frame);
        EXPECT_EQ(std::count_if(edge.begin(), edge.end(), [page](QRgb p) { return !Near(p, page); }), 0)
            << qPrintable(model.code);
    }
    const QImage menu = Read(QStringLiteral("Img/Menu/Menu.bmp"));
    const QRgb border = qRgb(0x4f, 0x8f, 0xc0);
    const QList<QRgb> edge = EdgePixels(menu);
    EXPECT_EQ(std::count_if(edge.begin(), edge.end(), [border](QRgb p) { return !Near(p, border, 0); }), 0);
}

TEST_F(PanelAssetsTest, HelpPageIsUtf8UsesTheWindowsCommandNamesAndShowsInstalledPictures)
{
    QFile file(panelPaths.ProgramFile(QStringLiteral("HTML/KQ-18navi.html")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString html = decoder(bytes);
    EXPECT_FALSE(decoder.hasError());
    EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"UTF-8\">")));
    for (const char *command : {"読み込み", "保存", "書き出し", "印刷", "まとめて印刷", "背景", "部品", "写真",
                                "文字の追加", "一つ前の状態に戻す", "全削除", "前面に移動", "背面に移動",
                                "透明化設定をする", "エフェクト処理", "変形", "色調整", "プレビュー", "完成イメージ"})
        EXPECT_TRUE(html.contains(QString::fromUtf8(command))) << command;

    const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#:]+)(?:#[^\"]*)?\""));
    int pictures = 0;
    for (auto match = link.globalMatch(html); match.hasNext();) {
        const QString target = match.next().captured(1);
        ++pictures;
        EXPECT_TRUE(QFileInfo::exists(QFileInfo(file).dir().filePath(target))) << qPrintable(target);
    }
    EXPECT_GT(pictures, 10);
}

}  // namespace
}  // namespace kq::panel
