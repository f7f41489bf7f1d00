#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What both programs take on their command line besides Qt's own options:
// nothing, one file to open (a double-click in the file manager), "--version"
// or "--check-data".
namespace kq {

struct StartArguments {
    enum class Action {
        Start,
        CheckData,  // print the data folder, and whether it holds the program's data
        WrongArguments,
    };
    Action action = Action::Start;
    QString file;  // with Start: the file to open at start, absolute; empty for none
};

// arguments: without the program's name. "--version" is answered before
// (AsksForVersion).
StartArguments ParseStartArguments(const QStringList &arguments);

// The package's version, "3.3.0".
QString ProgramVersion();

// "--version" among the arguments. Answered before the window system is
// reached, so the version can be asked without a display.
bool AsksForVersion(int argc, char *argv[]);
// Prints "<program> <version>"; the exit code 0.
int PrintVersion();

// The answer to arguments that end the program at once: the data check (the
// data folder on standard output; 0 when requiredFile, a file of that folder,
// exists, 1 when not) or the usage (2); nullopt when the program starts.
// fileSyntax names the file argument in the usage, e.g. "FILE.kq27".
std::optional<int> AnswerStartArguments(const StartArguments &arguments, const QString &dataFolder,
                                        const QString &requiredFile, const QString &fileSyntax);

}  // namespace kq
