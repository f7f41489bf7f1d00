#include "device/hidapi_backend.h"
#include "device/hidraw_sysfs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq {
namespace {

// Only what holds on any machine: with or without HID devices, with or
// without access to them.
TEST(HidapiBackend, EnumeratesAndAnnouncesOneChangeAtStart)
{
    HidapiBackend backend;
    for (const HidDeviceInfo &device : backend.Devices())
        EXPECT_FALSE(device.path.isEmpty());
    int changes = 0;
    QObject::connect(&backend, &HidBackend::DevicesChanged, [&] { ++changes; });
    backend.StartWatching();
    EXPECT_EQ(changes, 1);
}

void WriteDescriptor(const QString &root, const QString &node, const QByteArray &descriptor)
{
    ASSERT_TRUE(QDir().mkpath(root + '/' + node + "/device"));
    QFile file(root + '/' + node + "/device/report_descriptor");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(descriptor);
}

TEST(HidrawSysfs, ReportLengthsFromTheNodesDescriptor)
{
    QTemporaryDir sysfs;
    WriteDescriptor(sysfs.path(), QStringLiteral("hidraw3"),
                    QByteArray::fromHex("06a0ff0901a101090215002600ff750895028102090395089102c0"));
    const std::optional<ReportLengths> lengths = HidrawReportLengths(QStringLiteral("/dev/hidraw3"), sysfs.path());
    ASSERT_TRUE(lengths.has_value());
    EXPECT_EQ(lengths->input, 3);
    EXPECT_EQ(lengths->output, 9);

    EXPECT_FALSE(HidrawReportLengths(QStringLiteral("/dev/hidraw4"), sysfs.path()).has_value());
    WriteDescriptor(sysfs.path(), QStringLiteral("hidraw5"), QByteArray::fromHex("0600"));
    EXPECT_FALSE(HidrawReportLengths(QStringLiteral("/dev/hidraw5"), sysfs.path()).has_value());
}

TEST(HidrawSysfs, FingerprintChangesWhenANodeComesOrGoes)
{
    QTemporaryDir sysfs;
    const QByteArray empty = HidrawNodesFingerprint(sysfs.path());
    WriteDescriptor(sysfs.path(), QStringLiteral("hidraw0"), QByteArray());
    const QByteArray one = HidrawNodesFingerprint(sysfs.path());
    EXPECT_NE(one, empty);
    EXPECT_EQ(HidrawNodesFingerprint(sysfs.path()), one);
    ASSERT_TRUE(QDir(sysfs.path() + "/hidraw0").removeRecursively());
    EXPECT_EQ(HidrawNodesFingerprint(sysfs.path()), empty);
    EXPECT_TRUE(HidrawNodesFingerprint(sysfs.path() + "/missing").isEmpty());
}

TEST(DevicesCommand, ListsTheDevicesPresentOnePerLine)
{
    QProcess tool;
    tool.start(QStringLiteral(KQ27_TOOL_PATH), {QStringLiteral("devices")});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0);
    const QString output = QString::fromUtf8(tool.readAllStandardOutput());
    const QRegularExpression line(QStringLiteral("^[0-9A-F]{4} [0-9A-F]{4}\t.+$"));
    for (const QString &text : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        EXPECT_TRUE(line.match(text).hasMatch()) << text.toStdString();

    tool.start(QStringLiteral(KQ27_TOOL_PATH), {QStringLiteral("devices"), QStringLiteral("extra")});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 2);
}

}  // namespace
}  // namespace kq
