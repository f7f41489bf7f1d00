#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <unistd.h>

// Crashes on purpose. KQ_RUN_THEN_KILL runs its statement in a fresh copy of
// the test program (a death test that re-executes the binary, so no thread
// state is inherited) which then dies by SIGKILL: no close, no destructor, no
// normal end, as a crash, `kill -9` or a power cut ends a program. Whatever
// it wrote stays for the test to find in AbandonedProgramFolder().
namespace kq::testing {

// A folder that the test and the copies it kills see under one path, empty
// at the start of each test; removed when the test program ends.
inline QString AbandonedProgramFolder()
{
    static const char *const kVariable = "KQ_TEST_ABANDONED_ROOT";
    if (!std::getenv(kVariable)) {
        // Made in the test program only: its copies inherit the variable.
        static QTemporaryDir root;
        ::setenv(kVariable, root.path().toLocal8Bit().constData(), 1);
    }
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString folder = QString::fromLocal8Bit(std::getenv(kVariable)) + QLatin1Char('/')
        + QString::fromLatin1(test->test_suite_name()) + QLatin1Char('.') + QString::fromLatin1(test->name())
        + QLatin1Char('/');
    QDir().mkpath(folder);
    return folder;
}

[[noreturn]] inline void KillThisProgram()
{
    ::kill(::getpid(), SIGKILL);
    std::abort();
}

}  // namespace kq::testing

#define KQ_RUN_THEN_KILL(statement)                                                                                    \
    do {                                                                                                               \
        GTEST_FLAG_SET(death_test_style, "threadsafe");                                                                \
        EXPECT_EXIT(                                                                                                   \
            {                                                                                                          \
                statement;                                                                                             \
                ::kq::testing::KillThisProgram();                                                                      \
            },                                                                                                         \
            ::testing::KilledBySignal(SIGKILL), "");                                                                   \
    } while (false)
