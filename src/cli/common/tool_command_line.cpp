#include "cli/common/tool_command_line.h"

#include <QCoreApplication>

namespace kq::cli {

void PrintLine(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fputc('\n', stream);
}

int Fail(int code, const QString &message)
{
    PrintLine(stderr, message);
    return code;
}

int FinishOutput(int code, int usageOrUnreadable)
{
    // Standard output is buffered: a write error may show only when flushed.
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return Fail(usageOrUnreadable, QCoreApplication::applicationName()
                                           + QStringLiteral(": the output could not be written completely"));
    return code;
}

int RunCommandLine(std::span<const Command> commands, QStringList arguments, int usageOrUnreadable)
{
    if (!arguments.isEmpty()) {
        const QString name = arguments.takeFirst();
        for (const Command &command : commands) {
            if (name == QLatin1String(command.name))
                return FinishOutput(command.run(arguments), usageOrUnreadable);
        }
    }
    QString text = QStringLiteral("usage: %1 COMMAND ...\ncommands:").arg(QCoreApplication::applicationName());
    for (const Command &command : commands)
        text += QStringLiteral("\n  ") + QString::fromUtf8(command.usage);
    return Fail(usageOrUnreadable, text);
}

}  // namespace kq::cli
