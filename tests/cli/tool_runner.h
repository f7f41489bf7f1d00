#pragma once

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

// Runs the real kq27-tool, as teachers' scripts do.
namespace kq::testing {

struct ToolRun {
    int exitCode = -1;
    QStringList out;  // the lines printed on standard output
    QString err;
};

inline ToolRun RunTool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(KQ27_TOOL), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    // A crash (or a sanitizer's abort) is never an answer.
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
            QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace kq::testing
