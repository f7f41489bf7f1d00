#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <span>

// What both command-line tools share: their output, their failures and the
// table of commands they dispatch on.
namespace kq::cli {

void PrintLine(std::FILE *stream, const QString &text);
// Prints the message on stderr and returns code.
int Fail(int code, const QString &message);
// The command's exit code, or usageOrUnreadable (with a message) when its
// standard output could not be written completely (a full disk, a closed
// file): a script must not take a missing answer for an empty one.
int FinishOutput(int code, int usageOrUnreadable);

// A command: its arguments after the command name, and its exit code.
using CommandFunction = int (*)(const QStringList &arguments);

struct Command {
    const char *name;
    const char *usage;
    CommandFunction run;
};

// Runs the command the first argument names with the rest; the usage of every
// command, and usageOrUnreadable, for a missing or unknown name.
int RunCommandLine(std::span<const Command> commands, QStringList arguments, int usageOrUnreadable);

}  // namespace kq::cli
