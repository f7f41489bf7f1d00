#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

// Runs the real kq27-tool, as teachers' scripts do.
namespace kq::testing {

// The sanitizers' exit code in the test environment. By default they exit
// with 1, the tool's answer for "not a valid program", which would let a
// memory error pass for a refusal.
inline constexpr int kSanitizerExitCode = 99;

struct ToolRun {
    int exitCode = -1;
    QStringList out;  // the lines printed on standard output
    QString err;
};

// Appends options to a sanitizer's variable; later options win.
inline void AppendOptions(QProcessEnvironment &environment, const QString &name, const QString &options)
{
    const QString before = environment.value(name);
    environment.insert(name, before.isEmpty() ? options : before + QLatin1Char(':') + options);
}

// outputFile: where standard output goes instead of being read (such as
// /dev/full); out stays empty then.
inline ToolRun RunTool(const QStringList &arguments, const QString &outputFile = QString())
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString exitCode = QStringLiteral("exitcode=%1").arg(kSanitizerExitCode);
    AppendOptions(environment, QStringLiteral("ASAN_OPTIONS"), exitCode);
    AppendOptions(environment, QStringLiteral("LSAN_OPTIONS"), exitCode);
    AppendOptions(environment, QStringLiteral("UBSAN_OPTIONS"), QStringLiteral("halt_on_error=1:") + exitCode);

    QProcess process;
    process.setProcessEnvironment(environment);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(QStringLiteral(KQ27_TOOL), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    const ToolRun run{process.exitCode(),
                      QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
                      QString::fromUtf8(process.readAllStandardError())};
    // A crash or a sanitizer's report is never an answer.
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << arguments.join(' ').toStdString();
    EXPECT_NE(run.exitCode, kSanitizerExitCode)
        << "kq27-tool " << arguments.join(' ').toStdString() << " stopped on a sanitizer report:\n"
        << run.err.toStdString();
    return run;
}

}  // namespace kq::testing
