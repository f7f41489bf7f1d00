#include "support/temp_paths.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace kq {
namespace {

TEST(Paths, TempFoldersAreCreatedOnEveryCall)
{
    testing::TempPaths temp;
    const Paths &paths = temp.Paths();
    const QString folder = paths.TempFolder();
    EXPECT_EQ(folder, temp.Root() + "/appdata/KQ-27Temp/");
    EXPECT_TRUE(QFileInfo(folder + "Report").isDir());

    QDir(folder).removeRecursively();
    EXPECT_EQ(paths.TempFolder(), folder);
    EXPECT_TRUE(QFileInfo(folder + "Report").isDir());

    EXPECT_EQ(paths.PanelTempFolder(), temp.Root() + "/appdata/KQ-19Temp/");
    EXPECT_EQ(paths.PanelHandOverFolder(), temp.Root() + "/appdata/KQ-18Temp/");
    EXPECT_TRUE(QFileInfo(temp.Root() + "/appdata/KQ-18Temp").isDir());
}

TEST(Paths, OneSeparatorWhateverTheRootEndsWith)
{
    const Paths withSlash("/opt/kq/", "/tmp/data/");
    const Paths without("/opt/kq", "/tmp/data");
    EXPECT_EQ(withSlash.ProgramFolder(), QStringLiteral("/opt/kq/"));
    EXPECT_EQ(without.ProgramFolder(), QStringLiteral("/opt/kq/"));
    EXPECT_EQ(withSlash.AppDataFolder(), without.AppDataFolder());
}

TEST(Paths, WindowsStyleNamesBecomeNativeWithTheSameCase)
{
    const Paths paths("/opt/kq", "/tmp");
    EXPECT_EQ(paths.ProgramFile("Img\\Icon\\DD\\"), QStringLiteral("/opt/kq/Img/Icon/DD/"));
    EXPECT_EQ(paths.ProgramFile("HTML\\Navi\\KQ-27navi.html"), QStringLiteral("/opt/kq/HTML/Navi/KQ-27navi.html"));
    EXPECT_EQ(paths.ProgramFile("Data/KQ27.dat"), QStringLiteral("/opt/kq/Data/KQ27.dat"));
    EXPECT_EQ(paths.PanelProgramFolder(), QStringLiteral("/opt/kq/KQ-18/"));
}

}  // namespace
}  // namespace kq
