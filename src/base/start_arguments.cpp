#include "base/start_arguments.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstring>

namespace kq {

namespace {

const QString kCheckDataOption = QStringLiteral("--check-data");

void Print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

}  // namespace

StartArguments ParseStartArguments(const QStringList &arguments)
{
    using Action = StartArguments::Action;
    if (arguments.isEmpty())
        return {};
    if (arguments.size() > 1)
        return {Action::WrongArguments, {}};
    const QString &argument = arguments.constFirst();
    if (argument == kCheckDataOption)
        return {Action::CheckData, {}};
    // A file named like an option is given as ./-name.
    if (argument.startsWith(QLatin1Char('-')) || argument.isEmpty())
        return {Action::WrongArguments, {}};
    return {Action::Start, QFileInfo(argument).absoluteFilePath()};
}

QString ProgramVersion()
{
    return QStringLiteral(KQ_VERSION);
}

bool AsksForVersion(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0)
            return true;
    }
    return false;
}

int PrintVersion()
{
    Print(stdout, QCoreApplication::applicationName() + QLatin1Char(' ') + ProgramVersion());
    return 0;
}

std::optional<int> AnswerStartArguments(const StartArguments &arguments, const QString &dataFolder,
                                        const QString &requiredFile, const QString &fileSyntax)
{
    const QString program = QCoreApplication::applicationName();
    switch (arguments.action) {
    case StartArguments::Action::Start:
        return std::nullopt;
    case StartArguments::Action::CheckData:
        Print(stdout, dataFolder);
        if (QFileInfo::exists(requiredFile))
            return 0;
        Print(stderr, QStringLiteral("%1: %2 is missing: the data tree is not installed there").arg(program, requiredFile));
        return 1;
    case StartArguments::Action::WrongArguments:
        break;
    }
    Print(stderr, QStringLiteral("usage: %1 [%2]\n       %1 --version\n       %1 --check-data").arg(program, fileSyntax));
    return 2;
}

}  // namespace kq
