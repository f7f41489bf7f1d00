#include "panel/menu/hand_over.h"
#include "panel/menu/product_menu.h"
#include "support/file_bytes.h"
#include "support/temp_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

using kq::testing::TempPaths;
using kq::testing::WriteBytes;

QString HandOverFile(const TempPaths &temp)
{
    return temp.Paths().PanelHandOverFolder() + QStringLiteral("Product.txt");
}

struct CodeCase {
    QByteArray bytes;
    std::optional<int> model;
};

TEST(HandOver, ReadsTheFirstLineAndAlwaysDeletesTheFile)
{
    const CodeCase cases[] = {
        {"1\r\n", 1},
        {"2\r\n", 2},
        {"4\r\n", 4},
        {"5\r\n", 5},
        {"5", 5},
        {"3\r\n", std::nullopt},
        {"0\r\n", std::nullopt},
        {"6\r\n", std::nullopt},
        {"", std::nullopt},
        {"TL-6\r\n", std::nullopt},
        {"\r\n5\r\n", std::nullopt},     // only the first line counts
        {"\x82\xa0\r\n", std::nullopt},  // a Japanese character
    };
    for (const CodeCase &c : cases) {
        const TempPaths temp;
        WriteBytes(HandOverFile(temp), c.bytes);
        EXPECT_EQ(TakeHandOverModel(temp.Paths()), c.model) << c.bytes.toStdString();
        EXPECT_FALSE(QFile::exists(HandOverFile(temp))) << c.bytes.toStdString();
    }
}

TEST(HandOver, MissingFileChoosesNothingAndMakesTheFolder)
{
    const TempPaths temp;
    const QString folder = temp.Paths().AppDataFolder() + QStringLiteral("KQ-18Temp");
    ASSERT_FALSE(QDir(folder).exists());
    EXPECT_EQ(TakeHandOverModel(temp.Paths()), std::nullopt);
    EXPECT_TRUE(QDir(folder).exists());
}

TEST(ProductMenu, HandOverFiveChoosesTl6OnceTheMenuIsShown)
{
    const TempPaths temp;
    WriteBytes(HandOverFile(temp), "5\r\n");
    ProductMenu menu(temp.Paths());
    QSignalSpy chosen(&menu, &ProductMenu::ModelChosen);
    menu.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.first().first().toInt(), 5);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_FALSE(QFile::exists(HandOverFile(temp)));
}

TEST(ProductMenu, UnknownHandOverCodeLeavesTheMenuWaiting)
{
    const TempPaths temp;
    WriteBytes(HandOverFile(temp), "3\r\n");
    ProductMenu menu(temp.Paths());
    QSignalSpy chosen(&menu, &ProductMenu::ModelChosen);
    menu.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(chosen.count(), 0);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(QFile::exists(HandOverFile(temp)));
}

TEST(ProductMenu, ModelPicturesChooseTheModelsInOrderAndClosePictureCloses)
{
    const TempPaths temp;  // no pictures: the plain look must work as well
    ProductMenu menu(temp.Paths());
    EXPECT_EQ(menu.windowTitle(), QStringLiteral("メニュー"));
    QSignalSpy chosen(&menu, &ProductMenu::ModelChosen);
    QSignalSpy closed(&menu, &ProductMenu::Closed);
    const char *names[] = {"Image3", "Image2", "Image4", "Image5", "Image6", "Image7"};
    for (int index = 0; index < 6; ++index) {
        menu.show();
        QCoreApplication::processEvents();
        auto *picture = menu.findChild<QWidget *>(QString::fromLatin1(names[index]));
        ASSERT_NE(picture, nullptr) << names[index];
        QTest::mouseClick(picture, Qt::LeftButton);
        ASSERT_EQ(chosen.count(), index + 1);
        EXPECT_EQ(chosen.last().first().toInt(), index);
        EXPECT_FALSE(menu.isVisible());
    }
    menu.show();
    auto *close = menu.findChild<QWidget *>(QStringLiteral("Image14"));
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(menu.isVisible());
}

}  // namespace
}  // namespace kq::panel
