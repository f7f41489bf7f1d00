#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

// The pieces every kq27-tool command shares: exit codes and output.
namespace kq::cli {

enum ExitCode : int {
    kSuccess = 0,
    kInvalidProgram = 1,  // the input is not a valid program
    kUsageOrUnreadable = 2,  // wrong arguments, or the file cannot be read
};

void PrintLine(std::FILE *stream, const QString &text);
// Prints the message on stderr and returns code.
int Fail(int code, const QString &message);
// The command's exit code, or kUsageOrUnreadable (with a message) when its
// standard output could not be written completely (a full disk, a closed
// file): a script must not take a missing answer for an empty one.
int FinishOutput(int code);

// A command: its arguments after the command name, and its exit code.
using CommandFunction = int (*)(const QStringList &arguments);

struct Command {
    const char *name;
    const char *usage;
    CommandFunction run;
};

int RunBytes(const QStringList &arguments);
int RunSize(const QStringList &arguments);
int RunLines(const QStringList &arguments);
int RunDevices(const QStringList &arguments);
int RunIcons(const QStringList &arguments);
int RunMelody(const QStringList &arguments);
int RunWav(const QStringList &arguments);
int RunMelodyReadBack(const QStringList &arguments);
int RunText(const QStringList &arguments);
int RunCheck(const QStringList &arguments);
int RunFlowchart(const QStringList &arguments);
int RunFlowchartReadBack(const QStringList &arguments);
int RunSimulate(const QStringList &arguments);
int RunReport(const QStringList &arguments);

}  // namespace kq::cli
