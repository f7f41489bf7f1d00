#include "services/dialog_folder.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace kq {
namespace {

// A home folder of the test's own, with or without a desktop in it.
class DialogFolderTest : public ::testing::Test {
protected:
    DialogFolderTest() : m_home(qEnvironmentVariable("HOME")), m_config(Saved("XDG_CONFIG_HOME"))
    {
        qputenv("HOME", m_dir.path().toLocal8Bit());
        // The desktop's name comes from the user's own settings otherwise.
        qunsetenv("XDG_CONFIG_HOME");
    }
    ~DialogFolderTest() override
    {
        qputenv("HOME", m_home.toLocal8Bit());
        if (m_config)
            qputenv("XDG_CONFIG_HOME", m_config->toLocal8Bit());
    }

    static std::optional<QString> Saved(const char *name)
    {
        return qEnvironmentVariableIsSet(name) ? std::optional(qEnvironmentVariable(name)) : std::nullopt;
    }

    QString Home() const { return m_dir.path(); }
    QString Desktop() const { return m_dir.path() + QStringLiteral("/Desktop"); }

private:
    QTemporaryDir m_dir;
    QString m_home;
    std::optional<QString> m_config;
};

TEST_F(DialogFolderTest, WithoutAFileDialogsStartOnTheDesktopOrAtHome)
{
    DialogFolder folder;
    EXPECT_EQ(DesktopOrHomeFolder(), Home());
    EXPECT_EQ(folder.Start(), Home());
    ASSERT_TRUE(QDir().mkpath(Desktop()));
    EXPECT_EQ(DesktopOrHomeFolder(), Desktop());
    EXPECT_EQ(folder.Start(), Desktop());
    EXPECT_EQ(folder.StartWith(QStringLiteral("太郎")), Desktop() + QStringLiteral("/太郎"));

    // What a caller leaves relative is never taken in the working folder.
    EXPECT_EQ(AbsoluteDialogStart(QString()), Desktop());
    EXPECT_EQ(AbsoluteDialogStart(QStringLiteral("taro")), Desktop() + QStringLiteral("/taro"));
    EXPECT_EQ(AbsoluteDialogStart(Home()), Home());
}

TEST_F(DialogFolderTest, TheFolderOfTheLastFileIsKeptWhileItExists)
{
    const QString school = Home() + QStringLiteral("/学校");
    ASSERT_TRUE(QDir().mkpath(school));
    DialogFolder folder;
    folder.Remember(school + QStringLiteral("/時計.kq27"));
    EXPECT_EQ(folder.Start(), school);
    EXPECT_EQ(folder.StartWith(QStringLiteral("a")), school + QStringLiteral("/a"));
    folder.Remember(QString());  // a cancelled dialog
    EXPECT_EQ(folder.Start(), school);

    // A stick pulled out, a folder deleted: back to the desktop, home here.
    ASSERT_TRUE(QDir(school).removeRecursively());
    EXPECT_EQ(folder.Start(), Home());
}

}  // namespace
}  // namespace kq
