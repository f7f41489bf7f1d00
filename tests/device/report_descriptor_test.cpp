#include "device/report_descriptor.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace kq {
namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(char(value));
    return bytes;
}

struct DescriptorCase {
    const char *name;
    QByteArray descriptor;
    ReportLengths expected;
};

class ReportDescriptorTest : public ::testing::TestWithParam<DescriptorCase> {};

TEST_P(ReportDescriptorTest, GivesTheReportLengths)
{
    const std::optional<ReportLengths> lengths = ParseReportDescriptor(GetParam().descriptor);
    ASSERT_TRUE(lengths.has_value());
    EXPECT_EQ(lengths->usesReportIds, GetParam().expected.usesReportIds);
    EXPECT_EQ(lengths->input, GetParam().expected.input);
    EXPECT_EQ(lengths->output, GetParam().expected.output);
    EXPECT_EQ(lengths->feature, GetParam().expected.feature);
}

INSTANTIATE_TEST_SUITE_P(
    RealWorld, ReportDescriptorTest,
    ::testing::Values(
        // A vendor-defined device like the clock: two bytes in, eight out.
        DescriptorCase{"VendorTwoInEightOut",
                       Bytes({0x06, 0xA0, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x09, 0x02, 0x15, 0x00, 0x26, 0xFF, 0x00,
                              0x75, 0x08, 0x95, 0x02, 0x81, 0x02, 0x09, 0x03, 0x95, 0x08, 0x91, 0x02, 0xC0}),
                       {false, 3, 9, 0}},
        // The boot keyboard: modifiers, reserved byte and six keys in; five
        // LED bits and three padding bits out.
        DescriptorCase{"BootKeyboard",
                       Bytes({0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00,
                              0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x01,
                              0x95, 0x05, 0x75, 0x01, 0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91, 0x02, 0x95, 0x01,
                              0x75, 0x03, 0x91, 0x01, 0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07,
                              0x19, 0x00, 0x29, 0x65, 0x81, 0x00, 0xC0}),
                       {false, 9, 2, 0}},
        // A composite device with report IDs: a 4-byte mouse report (ID 1),
        // a 2-byte consumer report (ID 2) and a 64-byte feature (ID 3) given
        // with a four-byte Report Count.
        DescriptorCase{"ReportIdsAndFourByteItem",
                       Bytes({0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x01, 0x75, 0x08, 0x95, 0x04, 0x81, 0x06,
                              0xC0, 0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02, 0x75, 0x10, 0x95, 0x01, 0x81,
                              0x00, 0xC0, 0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x03, 0x75, 0x08, 0x97,
                              0x40, 0x00, 0x00, 0x00, 0xB1, 0x02, 0xC0}),
                       {true, 5, 0, 65}},
        // Push and Pop keep the report size; a long item is skipped whole.
        DescriptorCase{"PushPopAndLongItem",
                       Bytes({0x06, 0x00, 0xFF, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x02, 0xA4, 0x75, 0x01, 0x95, 0x08,
                              0x81, 0x02, 0xB4, 0x81, 0x02, 0xFE, 0x02, 0x10, 0xAA, 0xBB, 0x91, 0x02, 0xC0}),
                       {false, 4, 3, 0}},
        // The longest report hidraw hands over: 16383 data bytes.
        DescriptorCase{"LongestOutputReport", Bytes({0x75, 0x08, 0x96, 0xFF, 0x3F, 0x91, 0x02}), {false, 0, 16384, 0}},
        DescriptorCase{"Empty", QByteArray(), {false, 0, 0, 0}}),
    [](const ::testing::TestParamInfo<DescriptorCase> &info) { return info.param.name; });

TEST(ReportDescriptor, RefusesDamagedDescriptors)
{
    // Ends inside a two-byte Usage Page item.
    EXPECT_FALSE(ParseReportDescriptor(Bytes({0x75, 0x08, 0x06, 0x00})).has_value());
    // A long item whose data runs past the end.
    EXPECT_FALSE(ParseReportDescriptor(Bytes({0xFE, 0x05, 0x10, 0x01})).has_value());
    EXPECT_FALSE(ParseReportDescriptor(Bytes({0xFE})).has_value());
    // Pop without Push.
    EXPECT_FALSE(ParseReportDescriptor(Bytes({0xB4})).has_value());
}

// Crafted sizes and counts: the lengths would pass int's range (a signed
// overflow), turn negative or exceed what hidraw hands over. Such a device
// cannot be opened, so it is never taken for the clock.
TEST(ReportDescriptor, RefusesReportsLongerThanHidrawHandsOver)
{
    const QByteArray crafted[] = {
        // Report Size 8, Report Count 0x7FFFFFFF, Input: 2^31 - 1 bytes.
        Bytes({0x75, 0x08, 0x97, 0xFF, 0xFF, 0xFF, 0x7F, 0x81, 0x02}),
        // Report Count 0x80000000: 2^31 bytes.
        Bytes({0x75, 0x08, 0x97, 0x00, 0x00, 0x00, 0x80, 0x91, 0x02}),
        // Both at their largest, added twice: the bit count passes 2^64.
        Bytes({0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0xB1, 0x02, 0xB1, 0x02}),
        // One byte past the longest report.
        Bytes({0x75, 0x08, 0x96, 0x00, 0x40, 0x91, 0x02}),
        // Report IDs are 1..255.
        Bytes({0x85, 0x00, 0x75, 0x08, 0x95, 0x02, 0x81, 0x02}),
        Bytes({0x86, 0x00, 0x01, 0x75, 0x08, 0x95, 0x02, 0x81, 0x02}),
    };
    for (const QByteArray &descriptor : crafted)
        EXPECT_FALSE(ParseReportDescriptor(descriptor).has_value()) << descriptor.toHex().constData();
}

}  // namespace
}  // namespace kq
