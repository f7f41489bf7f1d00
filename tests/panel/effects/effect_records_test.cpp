#include "effect_fixture.h"

#include "panel/effects/effect_records.h"
#include "panel/effects/effect_replay.h"

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

QStringList Fields(const QString &record)
{
    return record.split(QLatin1Char(','));
}

const EffectArea kBlurArea = EffectArea::FromSelection(QRect(10, 20, 100, 60));

struct RecordCase {
    Effect effect;
    const char *record;
};

const RecordCase kRecords[] = {
    {SharpEffect{}, "Sharp,0/0/0/0/0/0/0/0,10"},
    {BlurEffect{kBlurArea, 10}, "Blur,10/20/110/20/110/80/10/80,10"},
    {WhirlPinchEffect{}, "WhirlPinch,0/0/0/0/0/0/0/0,180,3,1,0,0,0"},
    {OutlineEffect{}, "Outline,0/0/0/0/0/0/0/0,0,0,10"},
    {MosaicEffect{kBlurArea, 7, 7}, "Mosaic,10/20/110/20/110/80/10/80,7,7"},
    {ChromaEffect{}, "Chroma,0/0/0/0/0/0/0/0,-100"},
    {LensEffect{}, "Lens,0/0/0/0/0/0/0/0,3,True,0,0,0"},
    {LensEffect{{}, 5, false}, "Lens,0/0/0/0/0/0/0/0,5,False,0,0,0"},
    {CanvasEffect{{}, CanvasLight::BottomLeft, 40}, "Canvas,0/0/0/0/0/0/0/0,2,40"},
    {EmbossEffect{}, "Emboss,0/0/0/0/0/0/0/0,3,3,128"},
    {MotionBlurEffect{{}, MotionKind::Zoom, 120, 10}, "MotionBlur,0/0/0/0/0/0/0/0,2,120,10"},
    {GlassTileEffect{}, "GlassTile,0/0/0/0/0/0/0/0,20,20"},
    {OilPaintEffect{{}, OilPaintMode::ByLuminance, 3}, "OilPaint,0/0/0/0/0/0/0/0,1,3"},
    {RippleEffect{}, "Ripple,0/0/0/0/0/0/0/0,20,3,0.5,False,False,0,0,0"},
    {RippleEffect{{}, 20, 3, true}, "Ripple,0/0/0/0/0/0/0/0,20,3,0.5,True,False,0,0,0"},
    {WavesEffect{{}, WaveDirection::Vertical, WaveShape::Saw, 4, 30, WaveEdge::Wrap},
     "Waves,0/0/0/0/0/0/0/0,1,1,4,30,0.5,2,0,0,0"},
    {RotationEffect{{}, 90, false, false, Qt::black}, "Rotation,0/0/0/0/0/0/0/0,90,False,False,True,0,0,0,False"},
    {RotationEffect{{}, 0, true, false, Qt::black}, "Rotation,0/0/0/0/0/0/0/0,0,True,False,True,0,0,0,False"},
    {ResizeEffect{{}, QSize(430, 530)}, "Resize,0/0/0/0/0/0/0/0,430,530,True"},
    {AntiAliasEffect{}, "AntiAlias"},
    {LevelEffect{}, "YCCLevel,0/0/0/0/0/0/0/0,0,0,0"},
    {ContrastCurve(10), "YCCSpline,0/0/64/54/128/128/192/202/255/255,True,True,True"},
    {GrayEffect{}, "SetGray,0/0/0/0/0/0/0/0"},
    {RectangleCutEffect{QRect(10, 20, 100, 50)}, "CutRectImage,10/20/110/70"},
    {EllipseCutEffect{QRect(10, 20, 100, 50)}, "SelectImage,10/20/110/70"},
};

TEST(EffectRecords, AreWrittenAsTheRecordsOfTheExamples)
{
    for (const RecordCase &c : kRecords)
        EXPECT_EQ(EffectRecord(c.effect), QString::fromUtf8(c.record));
}

TEST(EffectRecords, ReadBackToTheSameRecord)
{
    for (const RecordCase &c : kRecords) {
        const ParsedEffect parsed = ParseEffectRecord(Fields(QString::fromUtf8(c.record)));
        ASSERT_EQ(parsed.status, EffectStatus::Applied) << c.record;
        EXPECT_EQ(EffectRecord(parsed.effect), QString::fromUtf8(c.record));
    }
}

TEST(EffectRecords, WhirlReplaysWithItsSize)
{
    const ParsedEffect parsed = ParseEffectRecord(Fields(QStringLiteral("WhirlPinch,0/0/0/0/0/0/0/0,180,3,1,0,0,0")));
    ASSERT_EQ(parsed.status, EffectStatus::Applied);
    const auto &whirl = std::get<WhirlPinchEffect>(parsed.effect);
    EXPECT_EQ(whirl.angle, 180);
    EXPECT_EQ(whirl.pinch, 3);
    EXPECT_EQ(whirl.size, 1);
}

TEST(EffectRecords, FlagsAreTrueUnlessFalseOrZero)
{
    const struct {
        const char *text;
        bool paint;
    } cases[] = {{"True", true}, {"False", false}, {"FALSE", false}, {"false", false}, {"0", false},
                 {"1", true}, {"yes", true}};
    for (const auto &c : cases) {
        const ParsedEffect parsed =
            ParseEffectRecord(Fields(QStringLiteral("Lens,0/0/0/0/0/0/0/0,3,%1,0,0,0").arg(QLatin1String(c.text))));
        ASSERT_EQ(parsed.status, EffectStatus::Applied);
        EXPECT_EQ(std::get<LensEffect>(parsed.effect).paintOutside, c.paint) << c.text;
    }
}

TEST(EffectRecords, ReplayedNumbersAreHeldToTheControlsRanges)
{
    auto parse = [](const char *record) { return ParseEffectRecord(Fields(QString::fromUtf8(record))); };
    EXPECT_EQ(std::get<ResizeEffect>(parse("Resize,0/0/0/0/0/0/0/0,1000000000,0,True").effect).size,
              QSize(kImageSideRange.maximum, 1));
    const auto mosaic = std::get<MosaicEffect>(parse("Mosaic,0/0/0/0/0/0/0/0,0,-5").effect);
    EXPECT_EQ(mosaic.width, 1);
    EXPECT_EQ(mosaic.height, 1);
    EXPECT_EQ(std::get<BlurEffect>(parse("Blur,0/0/0/0/0/0/0/0,999").effect).strength, 20);
    EXPECT_EQ(std::get<OilPaintEffect>(parse("OilPaint,0/0/0/0/0/0/0/0,7,100000").effect).size, 100);
    EXPECT_EQ(std::get<MotionBlurEffect>(parse("MotionBlur,0/0/0/0/0/0/0/0,9,500,10").effect).kind, MotionKind::Zoom);
    EXPECT_EQ(std::get<LevelEffect>(parse("YCCLevel,0/0/0/0/0/0/0/0,-1000,0,0").effect).brightness, -255);
}

TEST(ReplayEffect, RefusesBadRecordsAndLeavesTheImage)
{
    const struct {
        const char *record;
        EffectStatus status;
    } cases[] = {
        {"Sepia,0/0/0/0/0/0/0/0,10", EffectStatus::UnknownName},
        {"", EffectStatus::UnknownName},
        {"Sharp", EffectStatus::BadFields},
        {"Sharp,0/0/0/0/0/0/0/0", EffectStatus::BadFields},
        {"Sharp,0/0/0/0/0/0/0/0,strong", EffectStatus::BadFields},
        {"Sharp,1/2/3/4,10", EffectStatus::BadFields},
        {"Sharp,0/0/0/0/0/0/0/x,10", EffectStatus::BadFields},
        {"Outline,0/0/0/0/0/0/0/0,10", EffectStatus::BadFields},
        {"Ripple,0/0/0/0/0/0/0/0,20,3,0.5", EffectStatus::BadFields},
        {"Waves,0/0/0/0/0/0/0/0,0,0,3,20,0.5", EffectStatus::BadFields},
        {"Resize,0/0/0/0/0/0/0/0,430", EffectStatus::BadFields},
        {"Resize,0/0/0/0/0/0/0/0,430,5.5,True", EffectStatus::BadFields},
        {"YCCSpline,0/0/64/54/128/128,True,True,True", EffectStatus::BadFields},
        {"YCCSpline,0/0/128/54/64/128/192/202/255/255,True,True,True", EffectStatus::BadFields},
        {"CutRectImage,10/20/5/70", EffectStatus::BadFields},
        {"CutRectImage,100/100/200/200", EffectStatus::BadFields},  // misses the 64 x 48 picture
        {"SelectImage,10/20/110", EffectStatus::BadFields},
        {"SetGray,0/0/0", EffectStatus::BadFields},
    };
    const QImage original = testing::PhotoFixture();
    for (const auto &c : cases) {
        QImage image = original;
        UnattendedEffect control;
        EXPECT_EQ(ReplayEffect(image, Fields(QString::fromUtf8(c.record)), control), c.status) << c.record;
        EXPECT_EQ(image, original) << c.record;
    }
}

TEST(ReplayEffect, SurvivesExtremeRecordsOnTinyPictures)
{
    // Every effect at the ends of its ranges, with areas far off, inside out
    // or on one point, on pictures of one pixel and a few.
    const char *const records[] = {
        "Sharp,{A},100", "Outline,{A},0,0,-5", "Blur,{A},20", "Mosaic,{A},100,1", "Chroma,{A},100",
        "Lens,{A},10,True,0,0,0", "Lens,{A},1,False,0,0,0", "Canvas,{A},3,255", "Emboss,{A},7,5,255",
        "WhirlPinch,{A},360,10,10,0,0,0", "WhirlPinch,{A},0,1,0,0,0,0", "MotionBlur,{A},0,255,359",
        "MotionBlur,{A},1,255,0", "MotionBlur,{A},2,255,0", "GlassTile,{A},100,10", "OilPaint,{A},0,100",
        "OilPaint,{A},1,100", "Ripple,{A},100,1,0.5,True,False,0,0,0", "Waves,{A},1,1,1,100,0.5,2,0,0,0",
        "Rotation,{A},-359,True,True,True,0,0,0,False", "Rotation,{A},45,False", "Resize,{A},1,6000,True",
        "AntiAlias", "YCCLevel,{A},255,0,0", "YCCSpline,0/255/1/0/2/255/3/0/255/255,True,True,True",
        "SetGray,{A}", "CutRectImage,-1000000/-1000000/1000000/1000000", "SelectImage,0/0/1/1000000",
    };
    const char *const areas[] = {"0/0/0/0/0/0/0/0", "-999999/-999999/999999/-999999/999999/999999/-999999/999999",
                                 "5/5/1/5/1/1/5/1", "1/1/1/1/1/1/1/1", "0/0/1/0/1/1/0/1", "3/0/0/2/3/4/9/1"};
    for (const QSize size : {QSize(1, 1), QSize(3, 2), QSize(2, 7)}) {
        const QImage original = testing::PhotoFixture(size.width(), size.height());
        for (const char *record : records) {
            for (const char *area : areas) {
                QImage image = original;
                UnattendedEffect control;
                const QString text = QString::fromUtf8(record).replace(QStringLiteral("{A}"), QLatin1String(area));
                const EffectStatus status = ReplayEffect(image, Fields(text), control);
                EXPECT_EQ(status, EffectStatus::Applied) << text.toStdString();
                EXPECT_EQ(image.format(), QImage::Format_RGB32);
                EXPECT_FALSE(image.isNull());
            }
        }
    }
}

TEST(ReplayEffect, AppliesTheRecordsEffect)
{
    const QImage original = testing::PhotoFixture();
    QImage image = original;
    UnattendedEffect control;
    ASSERT_EQ(ReplayEffect(image, Fields(QStringLiteral("Rotation,0/0/0/0/0/0/0/0,90,False,False,True,0,0,0,False")),
                           control),
              EffectStatus::Applied);
    EXPECT_EQ(image.size(), original.size().transposed());

    image = original;
    ASSERT_EQ(ReplayEffect(image, Fields(QStringLiteral("Blur,10/20/40/20/40/40/10/40,10")), control),
              EffectStatus::Applied);
    EXPECT_EQ(image.pixel(0, 0), original.pixel(0, 0));
    EXPECT_NE(image.copy(10, 20, 30, 20), original.copy(10, 20, 30, 20));

    image = original;
    ASSERT_EQ(ReplayEffect(image, Fields(QStringLiteral("SelectImage,0/0/64/48")), control), EffectStatus::Applied);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(32, 24), original.pixel(32, 24));
}

}  // namespace
}  // namespace kq::panel
