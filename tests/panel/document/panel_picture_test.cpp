#include "panel/document/panel_picture.h"

#include "panel/document/panel_document.h"
#include "panel_fixture.h"
#include "support/file_bytes.h"

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

using testing::PanelFixture;

TEST(PanelPicture, ReadsByContentIntoRgb32AndRefusesAbsurdSizes)
{
    PanelFixture fixture;
    QImage indexed(4, 3, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3)});
    indexed.fill(0);
    const QString named = fixture.WriteUserPicture(QStringLiteral("really_png.jpg"), indexed);
    const std::optional<QImage> read = ReadPanelPicture(named);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->format(), QImage::Format_RGB32);
    EXPECT_EQ(read->pixel(3, 2), qRgb(1, 2, 3));

    EXPECT_FALSE(ReadPanelPicture(fixture.UserFile(QStringLiteral("absent.gif"))));
    // A GIF header claiming 65535 x 65535 pixels, and nothing after it.
    const QString huge = fixture.UserFile(QStringLiteral("huge.gif"));
    kq::testing::WriteBytes(huge, QByteArray("GIF89a\xff\xff\xff\xff\x00\x00\x00", 13));
    EXPECT_FALSE(ReadPanelPicture(huge));
}

TEST(PanelPicture, MergeLeavesOutTheKeyAndClipsAtTheEdges)
{
    QImage target = PanelFixture::Filled(QSize(4, 4), Qt::blue);
    QImage picture = PanelFixture::Filled(QSize(3, 3), Qt::white);
    picture.setPixel(1, 1, qRgb(255, 0, 0));
    picture.setPixel(2, 2, qRgb(0, 255, 0));

    MergeWithColourKey(target, picture, QPoint(2, 2), QColor(Qt::white));
    EXPECT_EQ(target.pixel(2, 2), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(3, 3), qRgb(255, 0, 0));

    MergeWithColourKey(target, picture, QPoint(-2, -2), std::nullopt);
    EXPECT_EQ(target.pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(target.pixel(1, 1), qRgb(0, 0, 255));
}

class FlattenTest : public ::testing::Test {
protected:
    PanelFixture fixture;
};

TEST_F(FlattenTest, LayersWithTheirKeysAndTheOverlayWithoutBlack)
{
    const KitModel &model = KitModelAt(3);  // TL-4, 410 x 670
    QImage overlay = PanelFixture::Filled(model.panelSize, Qt::black);
    overlay.setPixel(0, 0, qRgb(255, 255, 0));
    fixture.WriteProgramPicture(FrameOverlay(model), overlay);
    PanelDocument document(model, fixture.PanelPaths());

    QImage part = PanelFixture::Filled(QSize(10, 10), Qt::white);
    part.setPixel(5, 5, qRgb(255, 0, 0));
    ASSERT_TRUE(document.AddPart(fixture.WriteUserPicture(QStringLiteral("p.gif"), part), QPoint(100, 100)));
    const QImage photo = PanelFixture::Filled(QSize(10, 10), Qt::white);
    ASSERT_TRUE(document.AddPhoto(fixture.WriteUserPicture(QStringLiteral("q.png"), photo)));
    document.MoveLayerTo(1, QPoint(200, 200));

    const QImage plain = document.Flatten(false);
    ASSERT_EQ(plain.size(), model.panelSize);
    EXPECT_EQ(plain.format(), QImage::Format_RGB32);
    EXPECT_EQ(plain.pixel(100, 100), testing::kBackgroundColour.rgb()) << "the part's white is see-through";
    EXPECT_EQ(plain.pixel(105, 105), qRgb(255, 0, 0));
    EXPECT_EQ(plain.pixel(200, 200), qRgb(255, 255, 255)) << "the photo's white is not";
    EXPECT_EQ(plain.pixel(0, 0), testing::kBackgroundColour.rgb());

    const QImage framed = document.Flatten(true);
    EXPECT_EQ(framed.pixel(0, 0), qRgb(255, 255, 0));
    EXPECT_EQ(framed.copy(1, 1, 409, 669), plain.copy(1, 1, 409, 669)) << "black leaves the panel alone";
}

TEST_F(FlattenTest, ASmallBackgroundLeavesTheRestOfThePanelWhite)
{
    PanelDocument document(KitModelAt(0), fixture.PanelPaths());
    ASSERT_TRUE(document.ChooseBackground(
        fixture.WriteUserPicture(QStringLiteral("small.bmp"), PanelFixture::Filled(QSize(10, 10), Qt::green))));
    const QImage flat = document.Flatten(true);  // this tree has no overlay
    ASSERT_EQ(flat.size(), QSize(860, 1060));
    EXPECT_EQ(flat.pixel(9, 9), qRgb(0, 255, 0));
    EXPECT_EQ(flat.pixel(10, 10), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace kq::panel
