#include "effect_fixture.h"

#include "panel/effect_window/effect_window.h"
#include "panel/effect_window/resize_page.h"
#include "panel/progress/progress_window.h"
#include "support/recording_dialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace kq::panel {
namespace {

using Kind = kq::testing::RecordingDialogs::Kind;

class EffectWindowTest : public ::testing::Test {
protected:
    // Runs the window on page with `during` done once it is open.
    std::optional<AppliedEffect> RunWith(EffectPage page, const QImage &image, const QRect &selection,
                                         const std::function<void()> &during, QColor fill = Qt::black)
    {
        QTimer::singleShot(0, &window, during);
        return window.Run(page, image, selection, fill);
    }

    QWidget *Sheet() { return window.findChild<QStackedWidget *>(QStringLiteral("PageControl1"))->currentWidget(); }
    template <typename T>
    T *On(const char *name)
    {
        T *child = Sheet()->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    void Click(const char *button) { window.findChild<QPushButton *>(QString::fromLatin1(button))->click(); }

    kq::testing::RecordingDialogs dialogs;
    ProgressWindow progress;
    EffectWindow window{dialogs, progress};
    QImage photo = testing::PhotoFixture();
};

TEST_F(EffectWindowTest, OkAppliesTheDefaultsAndReturnsTheRecord)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("エフェクト処理"));
    const auto applied = RunWith(EffectPage::Sharp, photo, QRect(), [&] {
        EXPECT_EQ(On<QSlider>("Slider1")->value(), 10);
        Click("OkButton");
    });
    ASSERT_TRUE(applied.has_value());
    EXPECT_EQ(applied->recordsFromName, QStringList{QStringLiteral("Sharp,0/0/0/0/0/0/0/0,10")});
    EXPECT_NE(applied->image, photo);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(EffectWindowTest, TheSelectionBecomesTheArea)
{
    QImage large(200, 100, QImage::Format_RGB32);
    large.fill(Qt::white);
    const auto applied = RunWith(EffectPage::Blur, large, QRect(10, 20, 100, 60), [&] { Click("OkButton"); });
    ASSERT_TRUE(applied.has_value());
    EXPECT_EQ(applied->recordsFromName, QStringList{QStringLiteral("Blur,10/20/110/20/110/80/10/80,10")});
}

TEST_F(EffectWindowTest, EveryOpeningStartsFromTheDefaults)
{
    EXPECT_FALSE(RunWith(EffectPage::MotionBlur, photo, QRect(), [&] {
                     On<QSlider>("Slider1")->setValue(200);
                     EXPECT_EQ(On<QLabel>("SliderValue1")->text(), QStringLiteral("200"));
                     On<QComboBox>("Combo1")->setCurrentIndex(2);
                     Click("CancelButton");
                 }).has_value());
    const auto applied = RunWith(EffectPage::MotionBlur, photo, QRect(), [&] {
        EXPECT_EQ(On<QSlider>("Slider1")->value(), 120);
        EXPECT_EQ(On<QLabel>("SliderValue1")->text(), QStringLiteral("120"));
        EXPECT_EQ(On<QSlider>("Slider2")->value(), 10);
        EXPECT_EQ(On<QComboBox>("Combo1")->currentIndex(), 0);
        EXPECT_EQ(On<QComboBox>("Combo1")->currentText(), QStringLiteral("線形"));
        Click("OkButton");
    });
    ASSERT_TRUE(applied.has_value());
    EXPECT_EQ(applied->recordsFromName, QStringList{QStringLiteral("MotionBlur,0/0/0/0/0/0/0/0,0,120,10")});
}

TEST_F(EffectWindowTest, PreviewChangesOnlyTheWindowsCopy)
{
    const auto applied = RunWith(EffectPage::WhirlPinch, photo, QRect(), [&] {
        Click("PreviewButton");
        EXPECT_NE(window.PreviewImage(), photo);
        EXPECT_TRUE(window.isVisible());
        Click("CancelButton");
    });
    EXPECT_FALSE(applied.has_value());
}

TEST_F(EffectWindowTest, BrightnessWritesTheLevelAndTheCurve)
{
    const auto applied = RunWith(EffectPage::Brightness, photo, QRect(), [&] {
        On<QSlider>("Slider2")->setValue(10);
        Click("OkButton");
    });
    ASSERT_TRUE(applied.has_value());
    EXPECT_EQ(applied->recordsFromName,
              (QStringList{QStringLiteral("YCCLevel,0/0/0/0/0/0/0/0,0,0,0"),
                           QStringLiteral("YCCSpline,0/0/64/54/128/128/192/202/255/255,True,True,True")}));
}

TEST_F(EffectWindowTest, RotationFillsWithTheCallersColour)
{
    const auto applied = RunWith(
        EffectPage::Rotation, photo, QRect(),
        [&] {
            On<QSlider>("Slider1")->setValue(30);
            Click("OkButton");
        },
        QColor(255, 255, 255));
    ASSERT_TRUE(applied.has_value());
    EXPECT_EQ(applied->recordsFromName,
              QStringList{QStringLiteral("Rotation,0/0/0/0/0/0/0/0,30,False,False,True,0,0,0,False")});
    EXPECT_EQ(applied->image.pixel(0, 0), qRgb(255, 255, 255));
}

TEST_F(EffectWindowTest, ResizeByRatioKeepsTheAspectAndRecordsPixels)
{
    QImage panel(860, 1060, QImage::Format_RGB32);
    panel.fill(Qt::green);
    const auto applied = RunWith(EffectPage::Resize, panel, QRect(), [&] {
        EXPECT_EQ(On<QLineEdit>("WidthEdit")->text(), QStringLiteral("860"));
        EXPECT_EQ(On<QLineEdit>("HeightEdit")->text(), QStringLiteral("1060"));
        EXPECT_FALSE(On<QLineEdit>("WidthPercentEdit")->isEnabled());
        On<QRadioButton>("ByRatio")->click();
        auto *percent = On<QLineEdit>("WidthPercentEdit");
        EXPECT_TRUE(percent->isEnabled());
        percent->clear();
        QTest::keyClicks(percent, QStringLiteral("-5x0"));  // only the digits arrive
        EXPECT_EQ(percent->text(), QStringLiteral("50"));
        EXPECT_EQ(On<QLineEdit>("HeightPercentEdit")->text(), QStringLiteral("50"));
        Click("OkButton");
    });
    ASSERT_TRUE(applied.has_value());
    EXPECT_EQ(applied->recordsFromName, QStringList{QStringLiteral("Resize,0/0/0/0/0/0/0/0,430,530,True")});
    EXPECT_EQ(applied->image.size(), QSize(430, 530));
}

TEST_F(EffectWindowTest, ResizeBySizeCouplesTheFieldsAndRefusesBadInput)
{
    QImage panel(860, 1060, QImage::Format_RGB32);
    panel.fill(Qt::green);
    const auto applied = RunWith(EffectPage::Resize, panel, QRect(), [&] {
        auto *width = On<QLineEdit>("WidthEdit");
        auto *height = On<QLineEdit>("HeightEdit");
        width->clear();
        QTest::keyClicks(width, QStringLiteral("430"));
        EXPECT_EQ(height->text(), QStringLiteral("530"));

        width->clear();
        Click("OkButton");
        EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList{kSizeMissingMessage});
        width->setText(QStringLiteral("99999999999"));
        Click("OkButton");
        width->setText(QStringLiteral("0"));
        Click("PreviewButton");
        EXPECT_EQ(dialogs.Texts(Kind::Warning),
                  (QStringList{kSizeMissingMessage, kSizeNotIntegerMessage, kSizeMissingMessage}));
        EXPECT_TRUE(window.isVisible());

        QTest::keyClicks(height, QStringLiteral("0"));  // 5300: the width follows
        EXPECT_EQ(width->text(), QStringLiteral("4300"));
        Click("OkButton");
    });
    ASSERT_TRUE(applied.has_value());
    EXPECT_EQ(applied->image.size(), QSize(4300, 5300));
}

TEST_F(EffectWindowTest, AStoppedEffectKeepsTheWindowOpenAndTheLayerUnchanged)
{
    const auto applied = RunWith(EffectPage::OilPaint, photo, QRect(), [&] {
        auto *stop = progress.findChild<QPushButton *>(QStringLiteral("CancelButton"));
        // Pressed as soon as the progress window's loop runs.
        QTimer::singleShot(0, stop, &QPushButton::click);
        Click("OkButton");
        EXPECT_TRUE(window.isVisible());
        Click("CancelButton");
    });
    EXPECT_FALSE(applied.has_value());
}

TEST_F(EffectWindowTest, PagesShowTheirDescriptions)
{
    RunWith(EffectPage::Resize, photo, QRect(), [&] {
        EXPECT_EQ(On<QLabel>("Description")->text(), QStringLiteral("イメージのエッジのサイズを変更します。"));
        Click("CancelButton");
    });
    RunWith(EffectPage::Brightness, photo, QRect(), [&] {
        EXPECT_EQ(On<QLabel>("Description")->text(), QStringLiteral("イメージの明るさを調整します。"));
        Click("CancelButton");
    });
}

TEST(QuickEffects, WriteTheirRecords)
{
    const QImage photo = testing::PhotoFixture();
    const struct {
        QuickEffect effect;
        QRect selection;
        const char *record;
        QSize size;
    } cases[] = {
        {QuickEffect::Gray, QRect(), "SetGray,0/0/0/0/0/0/0/0", QSize(64, 48)},
        {QuickEffect::TurnRight, QRect(1, 1, 5, 5), "Rotation,0/0/0/0/0/0/0/0,90,False,False,True,0,0,0,False",
         QSize(48, 64)},
        {QuickEffect::TurnLeft, QRect(), "Rotation,0/0/0/0/0/0/0/0,-90,False,False,True,0,0,0,False", QSize(48, 64)},
        {QuickEffect::Mirror, QRect(), "Rotation,0/0/0/0/0/0/0/0,0,True,False,True,0,0,0,False", QSize(64, 48)},
        {QuickEffect::RectangleCut, QRect(10, 20, 30, 20), "CutRectImage,10/20/40/40", QSize(30, 20)},
        {QuickEffect::EllipseCut, QRect(10, 20, 30, 20), "SelectImage,10/20/40/40", QSize(64, 48)},
    };
    for (const auto &c : cases) {
        const std::optional<AppliedEffect> applied = ApplyQuickEffect(c.effect, photo, c.selection);
        ASSERT_TRUE(applied.has_value()) << c.record;
        EXPECT_EQ(applied->recordsFromName, QStringList{QString::fromUtf8(c.record)});
        EXPECT_EQ(applied->image.size(), c.size) << c.record;
    }
}

TEST(QuickEffects, CutsNeedARectangleOnThePicture)
{
    const QImage photo = testing::PhotoFixture();
    for (QuickEffect cut : {QuickEffect::RectangleCut, QuickEffect::EllipseCut}) {
        EXPECT_FALSE(ApplyQuickEffect(cut, photo, QRect()).has_value());
        EXPECT_FALSE(ApplyQuickEffect(cut, photo, QRect(100, 100, 10, 10)).has_value());
    }
    EXPECT_TRUE(kCutWithoutAreaMessage.contains(QStringLiteral("\r\n")));
}

}  // namespace
}  // namespace kq::panel
