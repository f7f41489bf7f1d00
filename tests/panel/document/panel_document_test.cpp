#include "panel/document/panel_document.h"

#include "panel/text/text_layer.h"
#include "panel_fixture.h"

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

using testing::PanelFixture;

const QString kArea = QStringLiteral("0/0/0/0/0/0/0/0");

QImage Part(const QColor &colour)
{
    QImage image = PanelFixture::Filled(QSize(20, 10), Qt::white);
    for (int y = 2; y < 8; ++y) {
        for (int x = 5; x < 15; ++x)
            image.setPixel(x, y, colour.rgb());
    }
    return image;
}

TextRecord SampleText(const QString &text)
{
    TextRecord record;
    record.measured = QSize(60, 42);
    record.description = {text, kDefaultTextFace, QColor(Qt::black), 14, false, false, QColor(Qt::white)};
    record.transparent = true;
    record.transparentColour = QColor(Qt::white);
    return record;
}

class PanelDocumentTest : public ::testing::Test {
protected:
    QString AddPart(const QString &name, QPoint position = {})
    {
        const QString path = fixture.WriteUserPicture(name, Part(Qt::red));
        EXPECT_TRUE(document.AddPart(path, position));
        return path;
    }

    QString AddPhoto(const QString &name)
    {
        const QString path = fixture.WriteUserPicture(name, PanelFixture::Filled(QSize(16, 12), QColor(10, 200, 30)));
        EXPECT_TRUE(document.AddPhoto(path));
        return path;
    }

    QString BackgroundLine() const
    {
        return QStringLiteral("-1,背景,") + fixture.PanelPaths().ProgramFile(DefaultBackground(KitModelAt(0)))
            + QStringLiteral(",0,0");
    }

    PanelFixture fixture;
    PanelDocument document {KitModelAt(0), fixture.PanelPaths()};
};

TEST_F(PanelDocumentTest, StartsResetWithTheModelsBackgroundLine)
{
    EXPECT_EQ(document.Records(), QStringList {BackgroundLine()});
    EXPECT_EQ(document.LayerListTexts(), QStringList {QStringLiteral("背景：1.gif")});
    EXPECT_EQ(document.Background().size(), QSize(860, 1060));
    EXPECT_EQ(document.Selected(), kNoSelection);
    EXPECT_EQ(document.CanAddLayer(), std::nullopt);
}

TEST_F(PanelDocumentTest, NewLayersWriteTheirCreationRecordsAndListEntries)
{
    const QString photo = AddPhoto(QStringLiteral("cat.jpg"));
    const QString part = AddPart(QStringLiteral("star.gif"), QPoint(362, 43));
    ASSERT_TRUE(document.AddText(SampleText(QStringLiteral("なまえ"))));

    EXPECT_EQ(document.Records(),
              (QStringList {
                  BackgroundLine(),
                  QStringLiteral("0,写真,") + photo + QStringLiteral(",0,0,False,clWhite,"),
                  QStringLiteral("1,部品,") + part + QStringLiteral(",362,43"),
                  QStringLiteral("2,文字,60,0,0,42,なまえ/ＭＳ ゴシック/clBlack/14/False/False/clWhite,True,clWhite"),
              }));
    EXPECT_EQ(document.LayerListTexts(),
              (QStringList {QStringLiteral("文字：なまえ"), QStringLiteral("部品：star.gif"),
                            QStringLiteral("写真：cat.jpg"), QStringLiteral("背景：1.gif")}));
    EXPECT_EQ(document.KindOf(0), LayerKind::Photo);
    EXPECT_EQ(document.KindOf(1), LayerKind::Part);
    EXPECT_EQ(document.KindOf(2), LayerKind::Text);
    EXPECT_EQ(document.KindOf(kBackgroundLayer), LayerKind::Background);
    EXPECT_FALSE(document.Layer(0).transparent);
    EXPECT_TRUE(document.Layer(1).transparent);
    EXPECT_EQ(document.Layer(1).position, QPoint(362, 43));
    // Text of size 14 on this model is rendered at the model's factor 860/360.
    EXPECT_EQ(document.Layer(2).image.size(), QSize(143, 100));
    EXPECT_EQ(document.LayerOfListRow(0), 2);
    EXPECT_EQ(document.ListRowOfLayer(kBackgroundLayer), 3);
}

TEST_F(PanelDocumentTest, UnreadablePicturesChangeNothing)
{
    const QString missing = fixture.UserFile(QStringLiteral("missing.jpg"));
    EXPECT_FALSE(document.AddPhoto(missing));
    EXPECT_FALSE(document.AddPart(missing, QPoint()));
    EXPECT_FALSE(document.ChooseBackground(missing));
    EXPECT_EQ(document.Records(), QStringList {BackgroundLine()});
    EXPECT_FALSE(document.HasSnapshot());
}

// A comma would split the record: the path is kept in a form it can carry.
TEST_F(PanelDocumentTest, PicturesFromFoldersARecordCannotNameAreAddedUnderAStorablePath)
{
    const QString path = fixture.WriteUserPicture(QStringLiteral("a,b/P\u00E4rt.png"), Part(Qt::red));
    const QString stored = StorableRecordPath(path);
    ASSERT_TRUE(stored.endsWith(QStringLiteral("/a_b/Part.png")));
    ASSERT_TRUE(document.AddPart(path, QPoint(1, 2)));
    ASSERT_TRUE(document.ChooseBackground(path));
    EXPECT_EQ(document.Records(), (QStringList {QStringLiteral("-1,背景,") + stored + QStringLiteral(",0,0"),
                                                QStringLiteral("0,部品,") + stored + QStringLiteral(",1,2")}));
    EXPECT_EQ(document.LayerListTexts(), (QStringList {QStringLiteral("部品：Part.png"), QStringLiteral("背景：Part.png")}));
}

TEST_F(PanelDocumentTest, TheNinetyFirstLayerIsRefusedButTheBackgroundCanStillChange)
{
    const QString part = fixture.WriteUserPicture(QStringLiteral("1.gif"), Part(Qt::red));
    for (int i = 0; i < kMaxLayers; ++i)
        ASSERT_TRUE(document.AddPart(part, QPoint()));
    EXPECT_EQ(document.CanAddLayer(), kLayerLimitMessage);
    EXPECT_FALSE(document.AddPart(part, QPoint()));
    EXPECT_FALSE(document.AddText(SampleText(QStringLiteral("a"))));
    EXPECT_EQ(document.LayerCount(), kMaxLayers);

    const QString background = fixture.WriteUserPicture(QStringLiteral("2.gif"), Part(Qt::blue));
    ASSERT_TRUE(document.ChooseBackground(background));
    EXPECT_EQ(document.LayerCount(), kMaxLayers);
    EXPECT_EQ(document.Records().size(), kMaxLayers + 1);
    EXPECT_EQ(document.Records().first(), QStringLiteral("-1,背景,") + background + QStringLiteral(",0,0"));
    EXPECT_EQ(document.LayerListTexts().last(), QStringLiteral("背景：2.gif"));
}

TEST_F(PanelDocumentTest, WithoutABackgroundNoLayerCanBeAdded)
{
    PanelFixture empty;
    QFile::remove(empty.PanelPaths().ProgramFile(DefaultBackground(KitModelAt(2))));
    PanelDocument bare(KitModelAt(2), empty.PanelPaths());
    EXPECT_FALSE(bare.HasBackground());
    EXPECT_EQ(bare.CanAddLayer(), kNoBackgroundMessage);
    EXPECT_FALSE(bare.AddPhoto(empty.WriteUserPicture(QStringLiteral("p.png"), Part(Qt::red))));
    EXPECT_TRUE(bare.Flatten(true).isNull());
}

TEST_F(PanelDocumentTest, MovingWritesOnlyThePositionOfTheCreationRecord)
{
    const QString photo = AddPhoto(QStringLiteral("p.jpg"));
    const QString part = AddPart(QStringLiteral("q.gif"));
    ASSERT_TRUE(document.AddText(SampleText(QStringLiteral("字"))));
    document.ApplyProcessed(1, document.Layer(1).image, {QStringLiteral("Sharp,") + kArea + QStringLiteral(",10")});
    document.SetTransparency(0, true, QColor(Qt::red));

    document.MoveLayerTo(0, QPoint(30, 40));
    EXPECT_EQ(document.Records().at(1), QStringLiteral("0,写真,") + photo + QStringLiteral(",0,0,True,clRed,"));
    document.CommitPosition(0);
    document.MoveLayerTo(1, QPoint(-5, 7));
    document.CommitPosition(1);
    document.NudgeLayer(2, QPoint(-1, 0));
    document.NudgeLayer(2, QPoint(0, 1));

    EXPECT_EQ(document.Layer(0).position, QPoint(30, 40));
    EXPECT_EQ(document.Records(),
              (QStringList {
                  BackgroundLine(),
                  QStringLiteral("0,写真,") + photo + QStringLiteral(",30,40,True,clRed,"),
                  QStringLiteral("1,部品,") + part + QStringLiteral(",-5,7"),
                  QStringLiteral("2,文字,60,-1,1,42,字/ＭＳ ゴシック/clBlack/14/False/False/clWhite,True,clWhite"),
                  QStringLiteral("1,加工,Sharp,") + kArea + QStringLiteral(",10"),
              }));
}

TEST_F(PanelDocumentTest, TransparencyAppliesToPhotoAndTextLayersOnly)
{
    const QString photo = AddPhoto(QStringLiteral("p.jpg"));
    const QString part = AddPart(QStringLiteral("q.gif"));
    ASSERT_TRUE(document.AddText(SampleText(QStringLiteral("字"))));

    document.SetTransparency(0, true, QColor(1, 2, 3));
    document.SetTransparency(1, false, QColor(Qt::black));
    document.SetTransparency(2, false, QColor(Qt::yellow));

    EXPECT_TRUE(document.Layer(0).transparent);
    EXPECT_EQ(document.Layer(0).transparentColour, QColor(1, 2, 3));
    EXPECT_TRUE(document.Layer(1).transparent);
    EXPECT_EQ(document.Layer(1).transparentColour, QColor(Qt::white));
    EXPECT_FALSE(document.Layer(2).transparent);
    EXPECT_EQ(document.Records().at(1), QStringLiteral("0,写真,") + photo + QStringLiteral(",0,0,True,$00030201,"));
    EXPECT_EQ(document.Records().at(2), QStringLiteral("1,部品,") + part + QStringLiteral(",0,0"));
    EXPECT_EQ(document.Records().at(3),
              QStringLiteral("2,文字,60,0,0,42,字/ＭＳ ゴシック/clBlack/14/False/False/clWhite,False,clYellow"));
}

// Five parts whose records carry a processing record each; the number 3 in
// the mosaic's parameters is not a layer number.
class FiveLayersTest : public PanelDocumentTest {
protected:
    void SetUp() override
    {
        for (int n = 0; n < 5; ++n) {
            paths.append(AddPart(QStringLiteral("%1.gif").arg(n)));
            document.ApplyProcessed(n, document.Layer(n).image,
                                    {QStringLiteral("Mosaic,") + kArea + QStringLiteral(",3,3")});
        }
    }

    QString Part(int n, int number) const
    {
        return QString::number(number) + QStringLiteral(",部品,") + paths.at(n) + QStringLiteral(",0,0");
    }
    static QString Mosaic(int number)
    {
        return QString::number(number) + QStringLiteral(",加工,Mosaic,") + kArea + QStringLiteral(",3,3");
    }

    QStringList paths;
};

TEST_F(FiveLayersTest, DeletingLayerTwoRenumbersTheLayersAboveIt)
{
    document.Select(2);
    document.DeleteLayer(2);

    EXPECT_EQ(document.Records(),
              (QStringList {BackgroundLine(), Part(0, 0), Mosaic(0), Part(1, 1), Mosaic(1), Part(3, 2), Mosaic(2),
                            Part(4, 3), Mosaic(3)}));
    EXPECT_EQ(document.LayerCount(), 4);
    EXPECT_EQ(document.Selected(), kNoSelection);
    EXPECT_EQ(document.LayerListTexts(),
              (QStringList {QStringLiteral("部品：4.gif"), QStringLiteral("部品：3.gif"), QStringLiteral("部品：1.gif"),
                            QStringLiteral("部品：0.gif"), QStringLiteral("背景：1.gif")}));
}

TEST_F(FiveLayersTest, UpAndDownSwapLayersAndRenumberInPlace)
{
    const QStringList before = document.Records();
    const QImage second = document.Layer(1).image;
    document.MoveLayerTo(1, QPoint(9, 9));

    document.Select(1);
    EXPECT_EQ(document.RaiseSelected(), std::nullopt);
    EXPECT_EQ(document.Selected(), 2);
    EXPECT_EQ(document.Layer(2).position, QPoint(9, 9));
    // Only field 1 changes and the lines keep their places.
    EXPECT_EQ(document.Records(),
              (QStringList {BackgroundLine(), Part(0, 0), Mosaic(0), Part(1, 2), Mosaic(2), Part(2, 1), Mosaic(1),
                            Part(3, 3), Mosaic(3), Part(4, 4), Mosaic(4)}));
    EXPECT_EQ(document.LayerListTexts().at(document.ListRowOfLayer(2)), QStringLiteral("部品：1.gif"));

    EXPECT_EQ(document.LowerSelected(), std::nullopt);
    EXPECT_EQ(document.Selected(), 1);
    EXPECT_EQ(document.Records(), before);
}

TEST_F(FiveLayersTest, TheTopLayerUpOrLayerZeroDownChangesNothing)
{
    struct Case {
        int selected;
        bool up;
        std::optional<QString> message;
    };
    const Case cases[] = {
        {4, true, std::nullopt},
        {0, false, std::nullopt},
        {kNoSelection, true, kNothingToChangeMessage},
        {kBackgroundLayer, false, kBackgroundFixedMessage},
    };
    const QStringList before = document.Records();
    for (const Case &c : cases) {
        document.Select(c.selected);
        document.TakeSnapshot();
        document.MoveLayerTo(0, QPoint(1, 1));  // only the snapshot knows the old place
        EXPECT_EQ(c.up ? document.RaiseSelected() : document.LowerSelected(), c.message) << c.selected;
        EXPECT_EQ(document.Records(), before) << c.selected;
        EXPECT_EQ(document.Selected(), c.selected);
        document.RestoreSnapshot();
        EXPECT_EQ(document.Layer(0).position, QPoint(0, 0)) << "an unchanged document keeps its undo step";
    }
}

TEST_F(FiveLayersTest, UndoRestoresSortedRecordsAndClearsTheSelection)
{
    document.Select(3);
    ASSERT_EQ(document.RaiseSelected(), std::nullopt);  // lines of layers 3 and 4 now out of order
    const QStringList unsorted = document.Records();
    ASSERT_NE(SortRecordsByLayer(unsorted), unsorted);
    document.Select(0);
    ASSERT_EQ(document.RaiseSelected(), std::nullopt);  // its snapshot holds the unsorted list
    document.DeleteLayer(2);

    document.RestoreSnapshot();
    EXPECT_EQ(document.Records(), SortRecordsByLayer(unsorted));
    EXPECT_EQ(document.LayerCount(), 5);
    EXPECT_EQ(document.Selected(), kNoSelection);
    EXPECT_EQ(
        document.LayerListTexts(),
        (QStringList {QStringLiteral("部品：3.gif"), QStringLiteral("部品：4.gif"), QStringLiteral("部品：2.gif"),
                      QStringLiteral("部品：1.gif"), QStringLiteral("部品：0.gif"), QStringLiteral("背景：1.gif")}));
    document.RestoreSnapshot();
    EXPECT_EQ(document.Records(), SortRecordsByLayer(unsorted));
}

TEST_F(PanelDocumentTest, UndoWithoutASnapshotDoesNothing)
{
    AddPart(QStringLiteral("p.gif"));  // takes the snapshot of the empty panel
    PanelDocument fresh(KitModelAt(0), fixture.PanelPaths());
    fresh.RestoreSnapshot();
    EXPECT_EQ(fresh.Records(), QStringList {BackgroundLine()});
    document.RestoreSnapshot();
    EXPECT_EQ(document.LayerCount(), 0);
}

TEST_F(PanelDocumentTest, TheEllipseCutMakesWhiteTransparentInTheCreationRecord)
{
    ASSERT_TRUE(document.AddText(SampleText(QStringLiteral("字"))));
    document.SetTransparency(0, false, QColor(Qt::red));
    const QImage cut = PanelFixture::Filled(QSize(10, 10), Qt::white);

    document.ApplyProcessed(0, cut, {QStringLiteral("SelectImage,1/2/9/8")});

    EXPECT_TRUE(document.Layer(0).transparent);
    EXPECT_EQ(document.Layer(0).transparentColour, QColor(Qt::white));
    EXPECT_EQ(document.Layer(0).image.size(), QSize(10, 10));
    EXPECT_EQ(document.Records().at(1),
              QStringLiteral("0,文字,60,0,0,42,字/ＭＳ ゴシック/clBlack/14/False/False/clWhite,True,clWhite"));
    EXPECT_EQ(document.Records().at(2), QStringLiteral("0,加工,SelectImage,1/2/9/8"));
    document.RestoreSnapshot();
    EXPECT_FALSE(document.Layer(0).transparent);
}

TEST_F(PanelDocumentTest, EditingATextKeepsItsPlaceAndAppliesItsEffectsAgain)
{
    ASSERT_TRUE(document.AddText(SampleText(QStringLiteral("前"))));
    AddPart(QStringLiteral("p.gif"));
    document.NudgeLayer(0, QPoint(5, 6));
    document.ApplyProcessed(0, document.Layer(0).image.mirrored(true, false),
                            {QStringLiteral("Rotation,") + kArea + QStringLiteral(",90,False,False,True,0,0,0,False")});

    TextRecord edited = SampleText(QStringLiteral("後ろ"));
    edited.measured = QSize(90, 42);
    ASSERT_TRUE(document.ReplaceText(0, edited));

    EXPECT_EQ(document.Records().at(1),
              QStringLiteral("0,文字,90,5,6,42,後ろ/ＭＳ ゴシック/clBlack/14/False/False/clWhite,True,clWhite"));
    EXPECT_EQ(document.Layer(0).position, QPoint(5, 6));
    // Turned by the replayed record: height and width swap.
    EXPECT_EQ(document.Layer(0).image.size(), QSize(100, 215));
    EXPECT_EQ(document.LayerListTexts().last(2).first(), QStringLiteral("文字：後ろ"));
    EXPECT_FALSE(document.ReplaceText(1, edited)) << "a part is not a text layer";
    EXPECT_FALSE(document.ReplaceText(0, SampleText(QStringLiteral("a,b")))) << "the record cannot carry a comma";
    EXPECT_FALSE(document.AddText(SampleText(QStringLiteral("1/2"))));
    EXPECT_EQ(document.LayerCount(), 2);
}

TEST_F(PanelDocumentTest, LayerUnderAPointIsTheTopmostRectangle)
{
    AddPart(QStringLiteral("a.gif"), QPoint(10, 10));  // 20 x 10
    AddPart(QStringLiteral("b.gif"), QPoint(25, 15));
    EXPECT_EQ(document.LayerUnder(QPoint(12, 12)), 0);
    EXPECT_EQ(document.LayerUnder(QPoint(26, 16)), 1);
    EXPECT_EQ(document.LayerUnder(QPoint(100, 100)), kBackgroundLayer);
    EXPECT_EQ(document.LayerUnder(QPoint(860, 5)), kNoSelection);
}

TEST_F(PanelDocumentTest, SelectAcceptsLayersAndTheBackgroundOnly)
{
    AddPart(QStringLiteral("a.gif"));
    const std::pair<int, int> cases[] = {{0, 0}, {-1, -1}, {1, kNoSelection}, {-3, kNoSelection}};
    for (const auto &[layer, expected] : cases) {
        document.Select(layer);
        EXPECT_EQ(document.Selected(), expected) << layer;
    }
}

TEST(PanelFileNames, ExtensionRules)
{
    struct Case {
        QString chosen;
        bool opens;
        QString saved;
    };
    const Case cases[] = {
        {QStringLiteral("/a/panel.kq18"), true, QStringLiteral("/a/panel.kq18")},
        {QStringLiteral("/a/PANEL.KQ18"), true, QStringLiteral("/a/PANEL.KQ18")},
        {QStringLiteral("/a/panel"), false, QStringLiteral("/a/panel.kq18")},
        {QStringLiteral("/a/panel.txt"), false, QStringLiteral("/a/panel.txt.kq18")},
        {QStringLiteral("/a/panel.kq27"), false, QStringLiteral("/a/panel.kq27.kq18")},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(HasPanelFileExtension(c.chosen), c.opens) << c.chosen.toStdString();
        EXPECT_EQ(PanelFileSaveName(c.chosen), c.saved) << c.chosen.toStdString();
    }
}

TEST(PanelMessages, NotFoundNamesTheKindAndPath)
{
    EXPECT_EQ(PictureNotFoundMessage(QStringLiteral("部品"), QStringLiteral("/x/P9.gif")),
              QStringLiteral("部品ファイル /x/P9.gif が見つかりません。"));
    EXPECT_EQ(FileNameOf(QStringLiteral("C:\\Img\\TL-1\\P9.gif")), QStringLiteral("P9.gif"));
    EXPECT_EQ(FileNameOf(QStringLiteral("/home/u/cat.jpg")), QStringLiteral("cat.jpg"));
}

}  // namespace
}  // namespace kq::panel
