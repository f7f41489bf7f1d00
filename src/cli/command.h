#pragma once

#include "cli/common/tool_command_line.h"

#include <QStringList>

#include <optional>

// The pieces every kq27-tool command shares: exit codes and output.
namespace kq::cli {

enum ExitCode : int {
    kSuccess = 0,
    kInvalidProgram = 1,  // the input is not a valid program
    kUsageOrUnreadable = 2,  // wrong arguments, or the file cannot be read
};

// The lines of the CP932 text file a command reads, or its exit code after
// the message: kUsageOrUnreadable when it cannot be read, kInvalidProgram
// with "<path>: " + notText when it is no CP932 text.
struct InputLines {
    std::optional<QStringList> lines;
    int exitCode = kSuccess;
};
InputLines ReadInputLines(const QString &path, const QString &notText = QStringLiteral("not CP932 text"));

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
