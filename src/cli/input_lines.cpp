#include "base/text_file.h"
#include "cli/command.h"

namespace kq::cli {

InputLines ReadInputLines(const QString &path, const QString &notText)
{
    std::optional<TextFileContent> content = ReadTextLines(path);
    if (!content)
        return {std::nullopt, Fail(kUsageOrUnreadable, QStringLiteral("%1: cannot be read").arg(path))};
    if (content->hasDecodingErrors)
        return {std::nullopt, Fail(kInvalidProgram, QStringLiteral("%1: %2").arg(path, notText))};
    return {std::move(content->lines), kSuccess};
}

}  // namespace kq::cli
