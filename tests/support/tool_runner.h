#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

// Runs the real command-line tools, as teachers' scripts do.
namespace kq::testing {

// The sanitizers' exit code in the test environment. By default they exit
// with 1, the tools' answer for a refused input, which would let a memory
// error pass for a refusal.
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

// extra: variables set on top of the test's own environment. outputFile:
// where standard output goes instead of being read (such as /dev/full); out
// stays empty then.
inline ToolRun RunProgram(const QString &program, const QStringList &arguments,
                          const QProcessEnvironment &extra = QProcessEnvironment(),
                          const QString &outputFile = QString())
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : extra.keys())
        environment.insert(name, extra.value(name));
    const QString exitCode = QStringLiteral("exitcode=%1").arg(kSanitizerExitCode);
    AppendOptions(environment, QStringLiteral("ASAN_OPTIONS"), exitCode);
    AppendOptions(environment, QStringLiteral("LSAN_OPTIONS"), exitCode);
    AppendOptions(environment, QStringLiteral("UBSAN_OPTIONS"), QStringLiteral("halt_on_error=1:") + exitCode);

    QProcess process;
    process.setProcessEnvironment(environment);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    const ToolRun run{process.exitCode(),
                      QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
                      QString::fromUtf8(process.readAllStandardError())};
    // A crash or a sanitizer's report is never an answer.
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << arguments.join(' ').toStdString();
    EXPECT_NE(run.exitCode, kSanitizerExitCode)
        << program.toStdString() << ' ' << arguments.join(' ').toStdString() << " stopped on a sanitizer report:\n"
        << run.err.toStdString();
    return run;
}

}  // namespace kq::testing
