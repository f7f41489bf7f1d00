#include "device/device_commands.h"
#include "device/device_diff.h"
#include "device/device_identity.h"
#include "device/report_router.h"
#include "device/report_text.h"
#include "base/transfer_progress.h"

#include "recording_receiver.h"

#include <gtest/gtest.h>

#include <functional>

namespace kq {
namespace {

TEST(DeviceIdentity, IdentificationAndDescription)
{
    const HidDeviceInfo clock{0x21CF, 0x0002, QStringLiteral("TL-6"), QString(), QStringLiteral("/dev/hidraw0")};
    EXPECT_EQ(IdentificationText(clock), QStringLiteral("21CF 0002"));
    EXPECT_EQ(DescriptionOf(clock), QStringLiteral("TL-6"));
    EXPECT_TRUE(IsClock(clock));

    const HidDeviceInfo keyboard{0x04d9, 0xa0bf, QString(), QStringLiteral("ab12"), QStringLiteral("/dev/hidraw1")};
    EXPECT_EQ(IdentificationText(keyboard), QStringLiteral("04D9 A0BF"));
    EXPECT_EQ(DescriptionOf(keyboard), QStringLiteral("Device VID=04D9 PID=A0BF (Serial=ab12)"));
    EXPECT_FALSE(IsClock(keyboard));
}

TEST(ReportText, ReceivedTextIsUpperCaseHexOfTheDataBytes)
{
    EXPECT_EQ(ReceivedText(QByteArray::fromHex("1234")), QStringLiteral("1234"));
    EXPECT_EQ(ReceivedText(QByteArray::fromHex("ffff")), QStringLiteral("FFFF"));
    EXPECT_EQ(ReceivedText(QByteArray::fromHex("0a")), QStringLiteral("0A"));
    EXPECT_EQ(ReceivedText(QByteArray()), QString());
}

TEST(ReportText, TraceAddress)
{
    EXPECT_EQ(TraceAddressOf(QStringLiteral("111A")), 26);
    EXPECT_EQ(TraceAddressOf(QStringLiteral("1100")), 0);
    // A "11" that is not the leading code is some other report.
    EXPECT_EQ(TraceAddressOf(QStringLiteral("0011")), std::nullopt);
    EXPECT_EQ(TraceAddressOf(QStringLiteral("FFFF")), std::nullopt);
    EXPECT_EQ(TraceAddressOf(QStringLiteral("11")), std::nullopt);
    EXPECT_EQ(TraceAddressOf(QStringLiteral("11ZZ")), std::nullopt);
    EXPECT_EQ(TraceAddressOf(QString()), std::nullopt);
    EXPECT_EQ(MemoryByteOf(QStringLiteral("00E6")), QStringLiteral("E6"));
    EXPECT_EQ(MemoryByteOf(QStringLiteral("0")), QString());
}

TEST(ReportText, StatusLogStartsAfreshAfterAGroupOpens)
{
    QStringList log{QStringLiteral("0A09"), QStringLiteral("0000")};
    AppendToStatusLog(log, QStringLiteral("0A09"));
    EXPECT_EQ(log, QStringList{QStringLiteral("0A09")});
    AppendToStatusLog(log, QStringLiteral("3200"));
    EXPECT_EQ(log, (QStringList{QStringLiteral("0A09"), QStringLiteral("3200")}));
    AppendToStatusLog(log, QStringLiteral("0000"));
    EXPECT_EQ(log.size(), 3);
}

TEST(ReportText, LowByteFirstValue)
{
    EXPECT_EQ(LowByteFirstValue(QStringLiteral("E909")), 2537);
    EXPECT_EQ(LowByteFirstValue(QStringLiteral("E9 09")), 2537);
    EXPECT_EQ(LowByteFirstValue(QStringLiteral("FFFF")), 65535);
    EXPECT_EQ(LowByteFirstValue(QStringLiteral("E90")), std::nullopt);
    EXPECT_EQ(LowByteFirstValue(QStringLiteral("G909")), std::nullopt);
    EXPECT_EQ(LowByteFirstValue(QString()), std::nullopt);
}

TEST(ReportText, DropToMemoryStart)
{
    QStringList dump{QStringLiteral("00"), QStringLiteral("3C"), QStringLiteral("E 6"), QStringLiteral("02"),
                     QStringLiteral("E6")};
    DropToMemoryStart(dump);
    EXPECT_EQ(dump, (QStringList{QStringLiteral("E 6"), QStringLiteral("02"), QStringLiteral("E6")}));

    QStringList noStart{QStringLiteral("FF"), QStringLiteral("00")};
    DropToMemoryStart(noStart);
    EXPECT_TRUE(noStart.isEmpty());
}

TEST(TransferProgress, RoundingStepsAndCentring)
{
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(0.8197), 1);

    EXPECT_EQ(ProgressStep(5), 20);
    EXPECT_EQ(ProgressStep(8), 12);   // 12.5
    EXPECT_EQ(ProgressStep(122), 1);
    EXPECT_EQ(ProgressStep(201), 0);
    EXPECT_EQ(ProgressStep(0), 0);
    EXPECT_EQ(ProgressAfter(5, 5), 100);
    // 122 steps of 1 would pass the end of the bar.
    EXPECT_EQ(ProgressAfter(122, 122), 100);

    // (801 - 274) / 2 = 263.5 goes to 264; (600 - 39) / 2 = 280.5 to 280.
    EXPECT_EQ(CentredTopLeft(QRect(100, 50, 801, 600), kProgressWindowSize), QPoint(364, 330));
    EXPECT_EQ(CentredTopLeft(QRect(0, 0, 200, 30), kProgressWindowSize), QPoint(-37, -4));
}

TEST(DeviceDiff, ReportsRemovalsAndAnyChange)
{
    const HidDeviceInfo a{1, 1, QStringLiteral("a"), QString(), QStringLiteral("/dev/hidraw0")};
    const HidDeviceInfo b{2, 2, QStringLiteral("b"), QString(), QStringLiteral("/dev/hidraw1")};
    HidDeviceInfo bElsewhere = b;
    bElsewhere.path = QStringLiteral("/dev/hidraw2");

    DeviceDiff same = DiffDevices({a, b}, {b, a});
    EXPECT_FALSE(same.changed);
    EXPECT_TRUE(same.removed.isEmpty());

    DeviceDiff arrival = DiffDevices({a}, {a, b});
    EXPECT_TRUE(arrival.changed);
    EXPECT_TRUE(arrival.removed.isEmpty());

    DeviceDiff moved = DiffDevices({a, b}, {bElsewhere});
    EXPECT_TRUE(moved.changed);
    EXPECT_EQ(moved.removed, (QList<HidDeviceInfo>{a, b}));
}

TEST(DeviceCommands, ItemsAndReports)
{
    EXPECT_EQ(MelodyTransferItems({194, 192}), (ByteList{242, 194, 192, 250}));
    ClockSetting setting{2025, 3, 7, 14, 5, false, 12, 0};
    EXPECT_EQ(ClockSettingItems(setting), (ByteList{247, 25, 3, 7, 14, 5, 0, 12, 0}));
    setting.alarmOn = true;
    EXPECT_EQ(ClockSettingItems(setting)[6], 1);

    EXPECT_EQ(OutputReport(240, 5), QByteArray::fromHex("00f0f0f0f0"));
    EXPECT_EQ(OutputReport(7, 1), QByteArray(1, '\0'));
    EXPECT_TRUE(AreByteValues({0, 255}));
    EXPECT_FALSE(AreByteValues({0, 256}));
    EXPECT_FALSE(AreByteValues({-1}));
}

using testing::RecordingReceiver;

TEST(ReportRouter, FirstOpenWindowInPriorityOrderSeesTheReport)
{
    ReportRouter router;
    RecordingReceiver melody, flowchart, thermometer, secondFlowchart;
    EXPECT_FALSE(router.Route(QStringLiteral("FFFF")));

    router.Register(ReceiverRole::MelodyEditor, &melody);
    router.Register(ReceiverRole::FlowchartEditor, &flowchart);
    router.Register(ReceiverRole::FlowchartEditor, &secondFlowchart);
    EXPECT_TRUE(router.Route(QStringLiteral("0001")));
    router.Register(ReceiverRole::Thermometer, &thermometer);
    router.Route(QStringLiteral("0002"));
    router.Unregister(&thermometer);
    router.Unregister(&flowchart);
    router.Route(QStringLiteral("0003"));
    router.Unregister(&secondFlowchart);
    router.Route(QStringLiteral("0004"));

    EXPECT_EQ(flowchart.texts, QStringList{QStringLiteral("0001")});
    EXPECT_EQ(thermometer.texts, QStringList{QStringLiteral("0002")});
    EXPECT_EQ(secondFlowchart.texts, QStringList{QStringLiteral("0003")});
    EXPECT_EQ(melody.texts, QStringList{QStringLiteral("0004")});
}

TEST(ReportRouter, EveryWindowLearnsThatTheClockWent)
{
    ReportRouter router;
    RecordingReceiver thermometer, flowchart, melody;
    router.Register(ReceiverRole::Thermometer, &thermometer);
    router.Register(ReceiverRole::FlowchartEditor, &flowchart);
    router.Register(ReceiverRole::MelodyEditor, &melody);
    // Told first, the thermometer closes the melody editor.
    thermometer.onLost = [&] { router.Unregister(&melody); };
    router.ClockLost();
    EXPECT_EQ(thermometer.lost, 1);
    EXPECT_EQ(flowchart.lost, 1);
    EXPECT_EQ(melody.lost, 0);
}

}  // namespace
}  // namespace kq
