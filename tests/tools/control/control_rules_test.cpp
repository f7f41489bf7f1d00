#include "tools/control/clock_setting_fields.h"
#include "tools/control/set_temperature.h"
#include "tools/control/temperature_records.h"
#include "tools/control/train_time.h"
#include "tools/control/window_placement.h"

#include <gtest/gtest.h>

namespace kq {
namespace {

TEST(SetTemperature, DigitsTurnRoundAtBothEnds)
{
    EXPECT_EQ(DigitUp(9), 0);
    EXPECT_EQ(DigitUp(0), 1);
    EXPECT_EQ(DigitDown(0), 9);
    EXPECT_EQ(DigitDown(5), 4);
    SetTemperature set;
    EXPECT_EQ(set.Text(), "25.0");
    set.digits = {0, 0, 9};
    EXPECT_EQ(set.Text(), "00.9");
    EXPECT_EQ(set.Tenths(), 9);
}

TEST(SetTemperature, ReadingsShowOneDecimalAndDecideTheCommand)
{
    const struct {
        int hundredths;
        QString shown;
        DirectCode command;  // against the set value 25.0
    } cases[] = {
        {0x09E9, "25.4", DirectCode::MotorOn}, {2500, "25.0", DirectCode::LampOff},
        {2504, "25.0", DirectCode::LampOff},  // equal as shown, not as read
        {2496, "25.0", DirectCode::LampOff},   {2494, "24.9", DirectCode::LampOn},
        {5, "0.1", DirectCode::LampOn},        {0xFFFF, "655.4", DirectCode::MotorOn},
    };
    for (const auto &c : cases) {
        const QString shown = TemperatureText(c.hundredths);
        EXPECT_EQ(shown, c.shown) << c.hundredths;
        EXPECT_EQ(ThermostatCommand(SetTemperature(), shown), c.command) << c.hundredths;
    }
}

TEST(TemperatureRecords, NumberedLinesAndChartPoints)
{
    TemperatureRecords records;
    records.Append(QTime(9, 5, 7), "25.4");
    records.Append(QTime(14, 0, 0), "24.0");
    EXPECT_EQ(records.Lines(), QStringList({"1,9:05:07,25.4", "2,14:00:00,24.0"}));
    EXPECT_EQ(records.ChartPoints(), QList<QPointF>({{1, 25.4}, {2, 24.0}}));
    EXPECT_EQ(records.NextNumber(), 3);
    records.Clear();
    EXPECT_EQ(records.NextNumber(), 1);
    EXPECT_TRUE(records.ChartPoints().isEmpty());
}

TEST(TemperatureRecords, CsvEndingIsAddedUnlessPresentInAnyCase)
{
    EXPECT_EQ(CsvFileName("/tmp/log"), "/tmp/log.csv");
    EXPECT_EQ(CsvFileName("/tmp/log.csv"), "/tmp/log.csv");
    EXPECT_EQ(CsvFileName("/tmp/log.CSV"), "/tmp/log.CSV");
    EXPECT_EQ(CsvFileName("/tmp/log.csv.txt"), "/tmp/log.csv.txt.csv");
    EXPECT_EQ(MeasurementIntervals().front().milliseconds, 1000);
    EXPECT_EQ(MeasurementIntervals().back().text, "60分");
    EXPECT_EQ(MeasurementIntervals().back().milliseconds, 3600000);
}

TEST(ThermometerGeometry, TwoThirdsOfTheScreenWithAMinimum)
{
    EXPECT_EQ(ThermometerGeometry({1920, 1080}), QRect(320, 180, 1280, 720));
    EXPECT_EQ(ThermometerGeometry({800, 600}), QRect(133, 100, 780, 580));
    EXPECT_EQ(ThermometerGeometry({1366, 768}), QRect(228, 128, 911, 580));
}

TEST(ClockSettingFields, ChoicesOfTheLists)
{
    EXPECT_EQ(YearChoices().first(), "14");
    EXPECT_EQ(YearChoices().last(), "33");
    EXPECT_EQ(MonthChoices().mid(8, 2), QStringList({" 9", "10"}));
    EXPECT_EQ(DayChoices().size(), 31);
    EXPECT_EQ(NumberChoices(60).last(), "59");
    EXPECT_EQ(NumberChoices(24).first(), "00");
}

TEST(ClockSettingFields, ProposesTheNextMinuteWithoutAdvancingTheDate)
{
    const struct {
        QDateTime now;
        ClockFieldPositions proposed;
    } cases[] = {
        {QDateTime(QDate(2025, 3, 7), QTime(10, 15, 30)), {11, 2, 6, 10, 16}},
        {QDateTime(QDate(2025, 3, 7), QTime(14, 59, 0)), {11, 2, 6, 15, 0}},
        {QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59)), {11, 11, 30, 0, 0}},
        {QDateTime(QDate(2014, 1, 1), QTime(0, 0, 0)), {0, 0, 0, 0, 1}},
        // Outside the year list: its nearest end rather than no year at all.
        {QDateTime(QDate(2040, 6, 1), QTime(8, 0, 0)), {19, 5, 0, 8, 1}},
        {QDateTime(QDate(2010, 6, 1), QTime(8, 0, 0)), {0, 5, 0, 8, 1}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ProposedPositions(c.now), c.proposed) << c.now.toString().toStdString();
    EXPECT_EQ(DateTimeText(QDateTime(QDate(2025, 3, 7), QTime(9, 5, 3))), "2025/03/07 9:05:03");
}

TEST(ClockSettingFields, SettingSentFromThePositions)
{
    EXPECT_EQ(ClockSettingItems(SettingOf({11, 2, 6, 10, 16}, {false, 12, 0})),
              ByteList({247, 25, 3, 7, 10, 16, 0, 12, 0}));
    // 31 February goes as it is; the clock is not second-guessed.
    EXPECT_EQ(ClockSettingItems(SettingOf({19, 1, 30, 23, 59}, {true, 6, 45})),
              ByteList({247, 33, 2, 31, 23, 59, 1, 6, 45}));
}

TEST(TrainTime, LabelInShortestDecimalForm)
{
    const struct {
        int tenths;
        QString label;
    } cases[] = {{1, "0.1秒"}, {10, "1秒"}, {25, "2.5秒"}, {100, "10秒"}, {254, "25.4秒"}};
    for (const auto &c : cases)
        EXPECT_EQ(TrainTimeLabel(c.tenths), c.label) << c.tenths;
}

}  // namespace
}  // namespace kq
