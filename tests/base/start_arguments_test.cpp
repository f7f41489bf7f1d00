#include "base/start_arguments.h"

#include <QDir>

#include <gtest/gtest.h>

namespace kq {
namespace {

using Action = StartArguments::Action;

TEST(StartArgumentsTest, OneFileOrTheDataCheck)
{
    const struct {
        QStringList arguments;
        Action action;
        QString file;
    } cases[] = {
        {{}, Action::Start, {}},
        {{QStringLiteral("/home/pupil/demo1(フロー).kq27")}, Action::Start, QStringLiteral("/home/pupil/demo1(フロー).kq27")},
        // The file manager gives absolute paths; a shell may not.
        {{QStringLiteral("panel.kq18")}, Action::Start, QDir::current().absoluteFilePath(QStringLiteral("panel.kq18"))},
        {{QStringLiteral("./-odd.kq27")}, Action::Start, QDir::current().absoluteFilePath(QStringLiteral("-odd.kq27"))},
        {{QStringLiteral("--check-data")}, Action::CheckData, {}},
        {{QStringLiteral("-odd.kq27")}, Action::WrongArguments, {}},
        {{QStringLiteral("--help")}, Action::WrongArguments, {}},
        {{QString()}, Action::WrongArguments, {}},
        {{QStringLiteral("a.kq27"), QStringLiteral("b.kq27")}, Action::WrongArguments, {}},
        {{QStringLiteral("--check-data"), QStringLiteral("a.kq27")}, Action::WrongArguments, {}},
    };
    for (const auto &c : cases) {
        const StartArguments parsed = ParseStartArguments(c.arguments);
        EXPECT_EQ(parsed.action, c.action) << qPrintable(c.arguments.join(QLatin1Char(' ')));
        EXPECT_EQ(parsed.file, c.file) << qPrintable(c.arguments.join(QLatin1Char(' ')));
    }
}

TEST(StartArgumentsTest, VersionIsAskedAnywhereAmongTheArguments)
{
    char program[] = "KQ27";
    char file[] = "a.kq27";
    char version[] = "--version";
    char *withVersion[] = {program, file, version, nullptr};
    char *without[] = {program, file, nullptr};
    EXPECT_TRUE(AsksForVersion(3, withVersion));
    EXPECT_FALSE(AsksForVersion(2, without));
    EXPECT_FALSE(AsksForVersion(1, without));
}

}  // namespace
}  // namespace kq
