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

}  // namespace kq::cli
