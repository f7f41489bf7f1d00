#include "editors/flowchart/parameters/parameter_rows.h"

#include <gtest/gtest.h>

namespace kq {
namespace {

constexpr int kCurrent = kCurrentGeneration;
constexpr int kOlder = kOlderGeneration;

// The list OK builds when the rows keep their defaults.
QString DefaultListOf(InstructionKind kind, int variant, int generation, const Rgb &swatch = {})
{
    const RowSetup rows = RowsOf(kind, variant, generation);
    std::array<int, kValueRows> positions {};
    for (std::size_t row = 0; row < rows.size(); ++row)
        positions[row] = rows[row] ? rows[row]->defaultPosition : 0;
    return BuildParameterList(kind, variant, generation, positions, swatch).ToText();
}

TEST(ParameterRowsTest, DefaultsGiveTheListsOfEachKind)
{
    struct Case {
        InstructionKind kind;
        int variant;
        int generation;
        const char *list;
    };
    const Case cases[] = {
        {InstructionKind::FullTime, 0, kCurrent, "0,0,0,0,1,0"},
        {InstructionKind::FullTime, 1, kCurrent, "1,0,0,0,4,0"},
        {InstructionKind::FullTime, 2, kOlder, "2,0,0,0,4,0"},
        {InstructionKind::FullConti, 1, kCurrent, "1,0,0,0,0,0"},
        {InstructionKind::LightLed, 0, kCurrent, "0,100,1,0,0,0"},
        {InstructionKind::LightLed, 2, kCurrent, "2,0,0,0,0,0"},
        {InstructionKind::Sound, 4, kCurrent, "4,0,0,0,0,0"},
        {InstructionKind::Timer, 0, kCurrent, "0,1,0,0,0,0"},
        {InstructionKind::Timer, 3, kCurrent, "3,1,50,0,0,0"},
        {InstructionKind::Timer, 3, kOlder, "3,1,0,0,0,0"},
        {InstructionKind::Timer, 4, kCurrent, "4,1,50,0,0,0"},
        {InstructionKind::Timer, 5, kOlder, "5,1,25,0,0,0"},
        {InstructionKind::Wait, 2, kCurrent, "2,50,0,0,0,0"},
        {InstructionKind::Wait, 3, kOlder, "3,0,0,0,0,0"},
        {InstructionKind::Wait, 4, kCurrent, "4,25,0,0,0,0"},
        {InstructionKind::If, 2, kCurrent, "2,50,0,0,0,0"},
        {InstructionKind::If, 2, kOlder, "2,0,0,0,0,0"},
        {InstructionKind::If, 6, kCurrent, "6,25,0,0,0,0"},
        {InstructionKind::If, 7, kCurrent, "7,0,0,0,0,0"},
        {InstructionKind::Loop, 0, kCurrent, "0,1,0,0,0,0"},
        {InstructionKind::Loop, 1, kCurrent, "1,0,0,0,0,0"},
        {InstructionKind::Routine, 0, kCurrent, "0,1,0,0,0,0"},
        {InstructionKind::Dainyuu, 0, kCurrent, "0,0,0,0,0,0"},
        {InstructionKind::Output, 1, kCurrent, "1,1,0,0,0,0"},
        {InstructionKind::Output, 2, kCurrent, "2,0,0,0,0,0"},
        {InstructionKind::Output, 4, kCurrent, "4,1,0,0,0,0"},
        {InstructionKind::Train, 0, kCurrent, "0,1,10,0,0,0"},
        {InstructionKind::Train, 4, kCurrent, "4,50,0,0,0,0"},
        {InstructionKind::Train, 6, kCurrent, "6,50,0,0,0,0"},
        {InstructionKind::Train, 7, kCurrent, "7,0,0,0,0,0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << NameOf(c.kind).toStdString() << " variant " << c.variant << " generation "
                                        << c.generation);
        EXPECT_EQ(DefaultListOf(c.kind, c.variant, c.generation), QString::fromLatin1(c.list));
    }
}

TEST(ParameterRowsTest, FullContiStoresTheSwatchAsAPaletteNumber)
{
    EXPECT_EQ(DefaultListOf(InstructionKind::FullConti, 0, kCurrent, ColourRgbOf(1)), "0,1,0,0,0,0");
    EXPECT_EQ(DefaultListOf(InstructionKind::FullConti, 0, kCurrent, ColourRgbOf(5)), "0,5,0,0,0,0");
    EXPECT_EQ(DefaultListOf(InstructionKind::FullConti, 0, kCurrent, ColourRgbOf(6)), "0,6,0,0,0,0");
    // A colour that is no button (the grey of an unchosen swatch) counts as white.
    EXPECT_EQ(DefaultListOf(InstructionKind::FullConti, 0, kCurrent, Rgb {128, 128, 128}), "0,6,0,0,0,0");
}

TEST(ParameterRowsTest, HiddenRowsStillStoreTheirFixedValue)
{
    const RowSetup fade = RowsOf(InstructionKind::FullTime, 1, kCurrent);
    ASSERT_TRUE(fade[3]);
    EXPECT_FALSE(fade[3]->shown);
    EXPECT_TRUE(fade[0]->shown);
    const RowSetup gradual = RowsOf(InstructionKind::Train, 5, kCurrent);
    ASSERT_TRUE(gradual[0]);
    EXPECT_FALSE(gradual[0]->shown);
    EXPECT_FALSE(gradual[1]);
    // Older clocks have no brightness threshold to show.
    EXPECT_FALSE(RowsOf(InstructionKind::Timer, 4, kOlder)[1]);
    EXPECT_FALSE(RowsOf(InstructionKind::Wait, 2, kOlder)[0]);
}

TEST(ParameterRowsTest, CaptionsUnitsAndRanges)
{
    const ValueRow red = *RowsOf(InstructionKind::FullTime, 0, kCurrent)[0];
    EXPECT_EQ(red.caption, QStringLiteral("Red　（赤）:"));
    EXPECT_EQ(red.unit, QString());
    EXPECT_EQ(red.maximum, 255);
    const ValueRow time = *RowsOf(InstructionKind::FullTime, 0, kCurrent)[3];
    EXPECT_EQ(time.caption, QStringLiteral("点灯時間："));
    EXPECT_EQ(time.unit, QStringLiteral("秒"));
    EXPECT_EQ(time.minimum, 1);
    EXPECT_EQ(time.maximum, 127);
    const ValueRow power = *RowsOf(InstructionKind::Train, 1, kCurrent)[1];
    EXPECT_EQ(power.caption, QStringLiteral("モーター出力："));
    EXPECT_EQ(power.maximum, 10);
    const ValueRow percent = *RowsOf(InstructionKind::LightLed, 0, kCurrent)[0];
    EXPECT_EQ(percent.unit, QStringLiteral("％"));
    EXPECT_EQ(RowsOf(InstructionKind::If, 5, kOlder)[0]->caption, QStringLiteral("温度　　："));
}

TEST(ParameterRowsTest, ShownTextIsTheShortestDecimal)
{
    const ValueRow quarter = *RowsOf(InstructionKind::LightLed, 0, kCurrent)[1];
    const ValueRow tenth = *RowsOf(InstructionKind::Train, 0, kCurrent)[0];
    const ValueRow plain = *RowsOf(InstructionKind::Loop, 0, kCurrent)[0];
    EXPECT_EQ(ShownText(quarter, 1), "0.25");
    EXPECT_EQ(ShownText(quarter, 4), "1");
    EXPECT_EQ(ShownText(quarter, 6), "1.5");
    EXPECT_EQ(ShownText(quarter, 127), "31.75");
    EXPECT_EQ(ShownText(tenth, 3), "0.3");
    EXPECT_EQ(ShownText(tenth, 25), "2.5");
    EXPECT_EQ(ShownText(tenth, 255), "25.5");
    EXPECT_EQ(ShownText(plain, 42), "42");
}

TEST(ParameterRowsTest, EditChecks)
{
    struct Case {
        InstructionKind kind;
        int variant;
        int row;
        const char *text;
        std::optional<int> position;
    };
    const Case cases[] = {
        // 0.25-second rows: the quotient in single precision must be whole.
        {InstructionKind::FullTime, 0, 3, "1.25", 5},
        {InstructionKind::FullTime, 0, 3, "1.3", std::nullopt},
        {InstructionKind::FullTime, 0, 3, "31.75", 127},
        {InstructionKind::FullTime, 0, 3, "32", std::nullopt},
        {InstructionKind::FullTime, 0, 3, ".5", 2},
        {InstructionKind::FullTime, 0, 3, "1.2.5", std::nullopt},
        {InstructionKind::FullTime, 0, 3, "0", 1},
        {InstructionKind::LightLed, 0, 1, "2", 8},
        {InstructionKind::LightLed, 0, 1, "abc", std::nullopt},
        {InstructionKind::LightLed, 0, 1, "", std::nullopt},
        {InstructionKind::LightLed, 0, 1, "1e2", std::nullopt},
        // The train's tenths: 0.3 / 0.1 is 3 once kept in single precision.
        {InstructionKind::Train, 0, 0, "0.3", 3},
        {InstructionKind::Train, 0, 0, "0.05", std::nullopt},
        {InstructionKind::Train, 1, 0, "25.5", 255},
        {InstructionKind::Train, 1, 0, "25.6", std::nullopt},
        {InstructionKind::Train, 0, 0, "99999999999999999999", std::nullopt},
        // Whole numbers.
        {InstructionKind::FullTime, 0, 0, "255", 255},
        {InstructionKind::FullTime, 1, 2, "256", std::nullopt},
        {InstructionKind::FullTime, 0, 1, "1.0", std::nullopt},
        {InstructionKind::FullTime, 0, 1, "-0", std::nullopt},
        {InstructionKind::FullTime, 0, 1, "-5", 0},
        {InstructionKind::LightLed, 0, 0, "100", 100},
        {InstructionKind::LightLed, 0, 0, "101", std::nullopt},
        {InstructionKind::Timer, 0, 0, "0", std::nullopt},
        {InstructionKind::Timer, 2, 0, "255", 255},
        {InstructionKind::Loop, 0, 0, "256", std::nullopt},
        {InstructionKind::Output, 4, 0, "1", 1},
        {InstructionKind::Timer, 5, 1, "0", std::nullopt},
        {InstructionKind::Wait, 4, 0, "50", 50},
        {InstructionKind::If, 6, 0, "51", std::nullopt},
        {InstructionKind::Timer, 3, 1, "0", 0},
        {InstructionKind::If, 3, 0, "101", std::nullopt},
        {InstructionKind::Routine, 0, 0, "4", 4},
        {InstructionKind::Routine, 0, 0, "5", std::nullopt},
        {InstructionKind::Routine, 0, 0, "0", std::nullopt},
        {InstructionKind::Train, 0, 1, "10", 10},
        {InstructionKind::Train, 0, 1, "11", std::nullopt},
        {InstructionKind::Train, 0, 1, "0", 1},
        {InstructionKind::Loop, 0, 0, "x", std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << NameOf(c.kind).toStdString() << " row " << c.row << " \"" << c.text << "\"");
        const auto row = RowsOf(c.kind, c.variant, kCurrent)[static_cast<std::size_t>(c.row)];
        ASSERT_TRUE(row);
        EXPECT_EQ(CheckedPosition(*row, QString::fromLatin1(c.text)), c.position);
    }
}

TEST(ParameterRowsTest, PanelWordsThreeLabelsItsOwnWay)
{
    const QStringList dialogTimer = VariantLabelsOf(InstructionKind::Timer, kCurrent, ControlsMode::Dialog);
    const QStringList panelTimer = VariantLabelsOf(InstructionKind::Timer, kCurrent, ControlsMode::Panel);
    ASSERT_EQ(panelTimer.size(), 6);
    EXPECT_EQ(dialogTimer[3], QStringLiteral("動作停止(時間or明るくなるまで)"));
    EXPECT_EQ(panelTimer[3], QStringLiteral("動作停止(時間or明るくなる)"));
    EXPECT_EQ(panelTimer[4], QStringLiteral("動作停止(時間or暗くなる)"));
    EXPECT_EQ(panelTimer[5], dialogTimer[5]);
    EXPECT_EQ(VariantLabelsOf(InstructionKind::Train, kCurrent, ControlsMode::Dialog)[7], QStringLiteral("電車　停止"));
    EXPECT_EQ(VariantLabelsOf(InstructionKind::Train, kCurrent, ControlsMode::Panel)[7], QStringLiteral("電車 停止"));
}

TEST(ParameterRowsTest, VariantListsFollowTheGeneration)
{
    EXPECT_EQ(VariantLabelsOf(InstructionKind::Wait, kCurrent, ControlsMode::Dialog).size(), 7);
    EXPECT_EQ(VariantLabelsOf(InstructionKind::Wait, kOlder, ControlsMode::Panel).size(), 6);
    const QStringList olderIf = VariantLabelsOf(InstructionKind::If, kOlder, ControlsMode::Dialog);
    EXPECT_EQ(olderIf[2], QStringLiteral("明るければ"));
    EXPECT_EQ(olderIf[3], QStringLiteral("暗ければ"));
}

TEST(ParameterRowsTest, DialogPlacement)
{
    const QRect sheet(100, 50, 800, 600);  // right edge 900, bottom 650
    const QSize dialog(300, 200);
    EXPECT_EQ(DialogPlacement(QPoint(200, 100), dialog, sheet), QPoint(200, 140));
    // Too far right: a dialog width to the left.
    EXPECT_EQ(DialogPlacement(QPoint(700, 100), dialog, sheet), QPoint(400, 140));
    EXPECT_EQ(DialogPlacement(QPoint(600, 100), dialog, sheet), QPoint(600, 140));
    // Too low: against the visible sheet's bottom.
    EXPECT_EQ(DialogPlacement(QPoint(200, 500), dialog, sheet), QPoint(200, 450));
    EXPECT_EQ(DialogPlacement(QPoint(200, 410), dialog, sheet), QPoint(200, 450));
}

}  // namespace
}  // namespace kq
