#include "effect_fixture.h"

#include "panel/effects/effect_records.h"
#include "panel/effects/image_effects.h"

#include <gtest/gtest.h>
#include <opencv2/core.hpp>

#include <functional>

namespace kq::panel {
namespace {

using testing::LuminanceVariance;
using testing::PhotoFixture;

QImage Applied(const QImage &original, const Effect &effect)
{
    QImage image = original;
    UnattendedEffect control;
    EXPECT_TRUE(ApplyEffect(image, effect, control));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    return image;
}

bool IsGrey(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p))
                return false;
        }
    }
    return true;
}

// One effect of every kind that honours the area, with settings that change
// the fixture visibly.
std::vector<std::pair<const char *, std::function<Effect(EffectArea)>>> AreaEffects()
{
    return {
        {"sharp", [](EffectArea a) { return Effect(SharpEffect{a, 50}); }},
        {"outline", [](EffectArea a) { return Effect(OutlineEffect{a, 10}); }},
        {"blur", [](EffectArea a) { return Effect(BlurEffect{a, 5}); }},
        {"mosaic", [](EffectArea a) { return Effect(MosaicEffect{a, 5, 5}); }},
        {"chroma", [](EffectArea a) { return Effect(ChromaEffect{a, -100}); }},
        {"lens", [](EffectArea a) { return Effect(LensEffect{a, 3, true}); }},
        {"canvas", [](EffectArea a) { return Effect(CanvasEffect{a, CanvasLight::TopLeft, 60}); }},
        {"emboss", [](EffectArea a) { return Effect(EmbossEffect{a, 3, 3, 128}); }},
        {"whirl", [](EffectArea a) { return Effect(WhirlPinchEffect{a, 180, 3, 10}); }},
        {"linear motion", [](EffectArea a) { return Effect(MotionBlurEffect{a, MotionKind::Linear, 20, 30}); }},
        {"radial motion", [](EffectArea a) { return Effect(MotionBlurEffect{a, MotionKind::Radial, 120, 0}); }},
        {"zoom motion", [](EffectArea a) { return Effect(MotionBlurEffect{a, MotionKind::Zoom, 120, 0}); }},
        {"glass tile", [](EffectArea a) { return Effect(GlassTileEffect{a, 10, 10}); }},
        {"oil paint", [](EffectArea a) { return Effect(OilPaintEffect{a, OilPaintMode::PerChannel, 3}); }},
        {"oil paint luminance", [](EffectArea a) { return Effect(OilPaintEffect{a, OilPaintMode::ByLuminance, 3}); }},
        {"ripple", [](EffectArea a) { return Effect(RippleEffect{a, 40, 1, false}); }},
        {"waves", [](EffectArea a) {
             return Effect(WavesEffect{a, WaveDirection::Vertical, WaveShape::Saw, 1, 40, WaveEdge::Wrap});
         }},
        {"level", [](EffectArea a) { return Effect(LevelEffect{a, 40}); }},
        {"grey", [](EffectArea a) { return Effect(GrayEffect{a}); }},
    };
}

TEST(ImageEffects, PixelsOutsideTheAreaStayExactlyAsTheyWere)
{
    const QImage original = PhotoFixture();
    const QRect selection(10, 8, 30, 24);
    const EffectArea area = EffectArea::FromSelection(selection);
    for (const auto &[name, make] : AreaEffects()) {
        const QImage image = Applied(original, make(area));
        ASSERT_EQ(image.size(), original.size()) << name;
        bool insideChanged = false;
        for (int y = 0; y < original.height(); ++y) {
            for (int x = 0; x < original.width(); ++x) {
                if (selection.contains(x, y))
                    insideChanged = insideChanged || image.pixel(x, y) != original.pixel(x, y);
                else
                    ASSERT_EQ(image.pixel(x, y), original.pixel(x, y)) << name << " at " << x << ", " << y;
            }
        }
        EXPECT_TRUE(insideChanged) << name;
    }
}

TEST(ImageEffects, AWholeAreaChangesTheWholePicture)
{
    const QImage original = PhotoFixture();
    for (const auto &[name, make] : AreaEffects()) {
        const QImage image = Applied(original, make(EffectArea{}));
        for (const QRect quarter : {QRect(0, 0, 32, 24), QRect(32, 0, 32, 24), QRect(0, 24, 32, 24),
                                    QRect(32, 24, 32, 24)})
            EXPECT_NE(image.copy(quarter), original.copy(quarter)) << name;
    }
}

TEST(ImageEffects, ASkewedAreaIsAQuadrilateral)
{
    // A diamond: its corners' box is the whole picture, its inside is not.
    const QImage original = PhotoFixture();
    EffectArea diamond{{QPoint(32, 0), QPoint(64, 24), QPoint(32, 48), QPoint(0, 24)}};
    const QImage image = Applied(original, GrayEffect{diamond});
    EXPECT_EQ(image.pixel(1, 1), original.pixel(1, 1));
    EXPECT_EQ(image.pixel(62, 46), original.pixel(62, 46));
    const QRgb centre = image.pixel(32, 24);
    EXPECT_TRUE(qRed(centre) == qGreen(centre) && qGreen(centre) == qBlue(centre));
}

TEST(ImageEffects, SmoothingEffectsLowerTheVariance)
{
    const QImage original = PhotoFixture();
    const double before = LuminanceVariance(original);
    const Effect smoothing[] = {BlurEffect{}, MosaicEffect{{}, 8, 8},
                                MotionBlurEffect{{}, MotionKind::Linear, 30, 10},
                                MotionBlurEffect{{}, MotionKind::Linear, 30, 90},
                                MotionBlurEffect{{}, MotionKind::Radial, 255, 0},
                                MotionBlurEffect{{}, MotionKind::Zoom, 255, 0}};
    for (const Effect &effect : smoothing)
        EXPECT_LT(LuminanceVariance(Applied(original, effect)), before * 0.9) << EffectRecord(effect).toStdString();
}

TEST(ImageEffects, SharpeningRaisesTheVariance)
{
    const QImage original = PhotoFixture();
    EXPECT_GT(LuminanceVariance(Applied(original, SharpEffect{{}, 100})), LuminanceVariance(original));
    EXPECT_EQ(Applied(original, SharpEffect{{}, 0}), original);
}

TEST(ImageEffects, ColourEffectsDoWhatTheySay)
{
    const QImage original = PhotoFixture();
    EXPECT_TRUE(IsGrey(Applied(original, GrayEffect{})));
    EXPECT_TRUE(IsGrey(Applied(original, ChromaEffect{})));
    EXPECT_EQ(Applied(original, ChromaEffect{{}, 0}), original);
    EXPECT_GT(LuminanceVariance(Applied(original, ChromaEffect{{}, 100}).convertToFormat(QImage::Format_RGB32)), 0);

    const QImage brighter = Applied(original, LevelEffect{{}, 20});
    EXPECT_EQ(qRed(brighter.pixel(3, 3)), std::min(255, qRed(original.pixel(3, 3)) + 20));
    EXPECT_EQ(Applied(original, ContrastCurve(0)), original);
    // The contrast curve darkens the quarter tone and brightens the three
    // quarter tone by c.
    QImage tones(2, 1, QImage::Format_RGB32);
    tones.setPixel(0, 0, qRgb(64, 64, 64));
    tones.setPixel(1, 0, qRgb(192, 192, 192));
    const QImage curved = Applied(tones, ContrastCurve(10));
    EXPECT_EQ(curved.pixel(0, 0), qRgb(54, 54, 54));
    EXPECT_EQ(curved.pixel(1, 0), qRgb(202, 202, 202));
}

TEST(ImageEffects, FlatPicturesShowNoEdges)
{
    QImage flat(20, 20, QImage::Format_RGB32);
    flat.fill(qRgb(90, 120, 150));
    EXPECT_EQ(Applied(flat, OutlineEffect{}).pixel(10, 10), qRgb(255, 255, 255));
    EXPECT_EQ(Applied(flat, EmbossEffect{{}, 3, 3, 128}).pixel(10, 10), qRgb(128, 128, 128));
    EXPECT_EQ(Applied(flat, AntiAliasEffect{}), flat);
}

TEST(ImageEffects, AntiAliasSoftensAHardEdge)
{
    QImage edge(20, 20, QImage::Format_RGB32);
    edge.fill(Qt::white);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < y; ++x)
            edge.setPixel(x, y, qRgb(0, 0, 0));
    }
    const QImage soft = Applied(edge, AntiAliasEffect{});
    const int grey = qRed(soft.pixel(9, 10));
    EXPECT_GT(grey, 0);
    EXPECT_LT(grey, 255);
    EXPECT_EQ(soft.pixel(1, 18), qRgb(0, 0, 0));  // far from the edge
}

TEST(ImageEffects, QuarterTurnsSwapTheSidesAndMovePixelsExactly)
{
    const QImage original = PhotoFixture();
    const QImage right = Applied(original, RotationEffect{{}, 90});
    ASSERT_EQ(right.size(), QSize(48, 64));
    // Clockwise: the left-bottom corner comes to the left-top.
    EXPECT_EQ(right.pixel(0, 0), original.pixel(0, 47));
    const QImage left = Applied(original, RotationEffect{{}, -90});
    ASSERT_EQ(left.size(), QSize(48, 64));
    EXPECT_EQ(left.pixel(0, 0), original.pixel(63, 0));
    EXPECT_EQ(Applied(original, RotationEffect{{}, 180}), original.mirrored(true, true));
    EXPECT_EQ(Applied(right, RotationEffect{{}, -90}), original);
}

TEST(ImageEffects, MirrorsReverseRowsOrColumns)
{
    const QImage original = PhotoFixture();
    const QImage mirrored = Applied(original, RotationEffect{{}, 0, true, false});
    for (int x = 0; x < original.width(); ++x)
        ASSERT_EQ(mirrored.pixel(x, 5), original.pixel(original.width() - 1 - x, 5));
    EXPECT_EQ(Applied(original, RotationEffect{{}, 0, false, true}), original.mirrored(false, true));
    EXPECT_EQ(Applied(original, RotationEffect{{}, 0, true, true}), original.mirrored(true, true));
    // The mirror comes before the turn.
    EXPECT_EQ(Applied(original, RotationEffect{{}, 90, true, false}), Applied(mirrored, RotationEffect{{}, 90}));
}

TEST(ImageEffects, AnyAngleGrowsThePictureAndFillsTheCorners)
{
    QImage square(40, 20, QImage::Format_RGB32);
    square.fill(qRgb(0, 200, 0));
    const QImage turned = Applied(square, RotationEffect{{}, 45, false, false, QColor(255, 0, 0)});
    EXPECT_EQ(turned.size(), QSize(43, 43));  // 60 / sqrt(2), up
    EXPECT_EQ(turned.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(turned.pixel(21, 21), qRgb(0, 200, 0));
}

TEST(ImageEffects, ResizeAndCutsMakeTheirSize)
{
    QImage panel(860, 1060, QImage::Format_RGB32);
    panel.fill(Qt::blue);
    EXPECT_EQ(Applied(panel, ResizeEffect{{}, QSize(430, 530)}).size(), QSize(430, 530));

    const QImage original = PhotoFixture();
    EXPECT_EQ(Applied(original, ResizeEffect{{}, QSize(128, 10)}).size(), QSize(128, 10));
    EXPECT_EQ(Applied(original, RectangleCutEffect{QRect(10, 20, 30, 15)}), original.copy(10, 20, 30, 15));
    // A rectangle reaching beyond the picture keeps what lies on it.
    EXPECT_EQ(Applied(original, RectangleCutEffect{QRect(50, 40, 30, 30)}).size(), QSize(14, 8));

    const QImage ellipse = Applied(original, EllipseCutEffect{QRect(8, 8, 40, 30)});
    EXPECT_EQ(ellipse.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(ellipse.pixel(9, 9), qRgb(255, 255, 255));   // the rectangle's corner
    EXPECT_EQ(ellipse.pixel(28, 23), original.pixel(28, 23));  // its centre
    EXPECT_EQ(ellipse.pixel(9, 23), original.pixel(9, 23));    // its left edge's middle
}

TEST(ImageEffects, ARectangleCutThatMissesIsRefused)
{
    QImage image = PhotoFixture();
    const QImage original = image;
    UnattendedEffect control;
    EXPECT_FALSE(ApplyEffect(image, RectangleCutEffect{QRect(100, 100, 10, 10)}, control));
    EXPECT_EQ(image, original);
}

TEST(ImageEffects, OneCoreMakesThePictureFourCoresMake)
{
    // The work is cut into bands of rows by the number of cores; no seam may
    // show. An odd size, and brushes from one pixel to wider than the picture.
    const QImage original = PhotoFixture(67, 45);
    std::vector<Effect> effects;
    for (const auto &entry : AreaEffects())
        effects.push_back(entry.second(EffectArea{}));
    for (OilPaintMode mode : {OilPaintMode::PerChannel, OilPaintMode::ByLuminance}) {
        for (int size : {1, 10, 100})
            effects.push_back(OilPaintEffect{{}, mode, size});
    }
    effects.push_back(SharpEffect{EffectArea::FromSelection(QRect(5, 3, 50, 37)), 100});
    const int cores = cv::getNumThreads();
    cv::setNumThreads(1);
    std::vector<QImage> oneCore;
    for (const Effect &effect : effects)
        oneCore.push_back(Applied(original, effect));
    cv::setNumThreads(4);
    for (size_t i = 0; i < effects.size(); ++i)
        EXPECT_EQ(Applied(original, effects[i]), oneCore[i]) << EffectRecord(effects[i]).toStdString();
    cv::setNumThreads(cores);
}

TEST(ImageEffects, BlursAreTheSameUpsideDown)
{
    // Blurs work in bands of rows; upside down their seams fall on other
    // rows of the picture, and must not show there either.
    const QImage original = PhotoFixture(67, 201);
    for (const Effect &effect : {Effect(BlurEffect{{}, 5}), Effect(BlurEffect{{}, 20}), Effect(SharpEffect{{}, 100})}) {
        EXPECT_EQ(Applied(original.mirrored(false, true), effect).mirrored(false, true), Applied(original, effect))
            << EffectRecord(effect).toStdString();
    }
}

// Asks to stop at its n-th look.
class StopAt final : public EffectControl {
public:
    explicit StopAt(int look) : m_look(look) {}
    bool StopRequested() const override { return ++m_looks >= m_look; }
    void ReportProgress(int) override {}
    int Looks() const { return m_looks; }

private:
    int m_look;
    mutable int m_looks = 0;
};

TEST(ImageEffects, AStoppedEffectChangesNothing)
{
    const QImage original = PhotoFixture();
    std::vector<Effect> effects;
    for (const auto &entry : AreaEffects())
        effects.push_back(entry.second(EffectArea{}));
    effects.insert(effects.end(), {RotationEffect{{}, 30}, ResizeEffect{{}, QSize(20, 20)}, AntiAliasEffect{},
                                   ContrastCurve(20), RectangleCutEffect{QRect(1, 1, 5, 5)},
                                   EllipseCutEffect{QRect(1, 1, 20, 20)}});
    for (const Effect &effect : effects) {
        // Stopping at every look in turn reaches every stage of the effect.
        for (int look = 1;; ++look) {
            QImage image = original;
            StopAt control(look);
            const bool applied = ApplyEffect(image, effect, control);
            if (applied) {
                EXPECT_GT(look, 1);
                break;
            }
            ASSERT_EQ(image, original) << EffectRecord(effect).toStdString() << " stopped at " << look;
        }
    }
}

TEST(ImageEffects, OtherFormatsAreTakenAsRgb32)
{
    const QImage original = PhotoFixture();
    QImage image = original.convertToFormat(QImage::Format_RGB888);
    UnattendedEffect control;
    ASSERT_TRUE(ApplyEffect(image, GrayEffect{}, control));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_TRUE(IsGrey(image));
}

}  // namespace
}  // namespace kq::panel
