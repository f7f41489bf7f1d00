#include "editors/text/keyword_file.h"

#include "base/text_file.h"
#include "base/text_helpers.h"

#include <QFileInfo>

namespace kq {

QString KeywordLine::ToText() const
{
    return QStringList{QString::number(group), note, keyword, QString::number(code), allowedValues}.join(QLatin1Char(','));
}

QStringList KeywordFile::AllowedValuesOf(int slot) const
{
    const QString &values = Line(slot).allowedValues;
    return values.isEmpty() ? QStringList{} : values.split(QLatin1Char('-'));
}

std::optional<int> KeywordFile::SlotOfKeyword(QStringView word) const
{
    for (int slot = 1; slot <= kKeywordSlots; ++slot) {
        if (KeywordOf(slot) == word)
            return slot;
    }
    return std::nullopt;
}

QStringList KeywordFile::ToLines() const
{
    QStringList result;
    for (const KeywordLine &line : lines)
        result.append(line.ToText());
    return result;
}

std::optional<KeywordFile> ParseKeywordFile(const QStringList &lines)
{
    if (lines.size() < kKeywordSlots)
        return std::nullopt;
    KeywordFile file;
    for (int i = 0; i < kKeywordSlots; ++i) {
        const QString &text = lines[i];
        if (FieldCount(text, QLatin1Char(',')) != kKeywordFields)
            return std::nullopt;
        const std::optional<int> group = IntegerValueOf(FieldOf(text, 1, QLatin1Char(',')));
        const std::optional<int> code = IntegerValueOf(FieldOf(text, 4, QLatin1Char(',')));
        const QString keyword = FieldOf(text, 3, QLatin1Char(','));
        if (!group || !code || keyword.isEmpty())
            return std::nullopt;
        file.lines[std::size_t(i)] = {*group, FieldOf(text, 2, QLatin1Char(',')), keyword, *code,
                                      FieldOf(text, 5, QLatin1Char(','))};
    }
    return file;
}

std::optional<KeywordFile> ReadKeywordFile(const QString &path)
{
    const std::optional<TextFileContent> content = ReadTextLines(path);
    if (!content || content->hasDecodingErrors)
        return std::nullopt;
    return ParseKeywordFile(content->lines);
}

QString DefaultKeywordFilePath(const Paths &paths)
{
    return paths.ProgramFile(kDefaultKeywordFile);
}

QString UserKeywordFilePath(const Paths &paths)
{
    return paths.TempFolder() + kKeywordFileName;
}

QString KeywordFilePath(const Paths &paths)
{
    const QString user = UserKeywordFilePath(paths);
    return QFileInfo::exists(user) ? user : DefaultKeywordFilePath(paths);
}

}  // namespace kq
