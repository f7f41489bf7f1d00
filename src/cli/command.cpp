#include "cli/command.h"

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

int FinishOutput(int code)
{
    // Standard output is buffered: a write error may show only when flushed.
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return Fail(kUsageOrUnreadable, QStringLiteral("kq27-tool: the output could not be written completely"));
    return code;
}

}  // namespace kq::cli
