#include "cli/text_input.h"

#include "cli/command.h"
#include "editors/text/text_program.h"

namespace kq::cli {

KeywordsResult LoadKeywords(const QString &path)
{
    const QString file = path.isEmpty() ? DefaultKeywordFilePath(Paths::ForInstalledProgram()) : path;
    std::optional<KeywordFile> keywords = ReadKeywordFile(file);
    if (!keywords)
        return {std::nullopt, Fail(kUsageOrUnreadable, QStringLiteral("%1: %2").arg(file, kKeywordReadErrorMessage))};
    return {std::move(keywords), kSuccess};
}

TextLinesResult TextProgramLines(const QStringList &section, const KeywordFile &keywords)
{
    const QStringList editorLines = EditorLinesOfSection(section);
    if (const std::optional<QString> message = CheckTextProgram(editorLines, keywords))
        return {std::nullopt, Fail(kInvalidProgram, *message)};
    std::optional<QStringList> lines = TranslateText(editorLines, keywords);
    if (!lines)
        return {std::nullopt, Fail(kInvalidProgram, kSyntaxErrorMessage)};
    return {std::move(lines), kSuccess};
}

}  // namespace kq::cli
