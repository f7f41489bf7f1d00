// Program text as the text step reads it: the checks, the translation and the
// table, under the default keywords or, when the input starts with 50 lines
// that load as a keyword file, under those. A failing check names a line of
// the text that holds something. A program the checks pass always
// translates; under the default keywords its lines are valid program lines
// and come back the same through the text they are written as.
#include "base/text_file.h"
#include "editors/text/lines_to_text.h"
#include "editors/text/text_program.h"
#include "model/instruction_table.h"

#include <cstdint>
#include <cstdlib>

namespace {

const kq::KeywordFile &DefaultKeywords()
{
    static const kq::KeywordFile file = [] {
        const std::optional<kq::KeywordFile> read = kq::ReadKeywordFile(QStringLiteral(KQ_DEFAULT_KEYWORDS));
        if (!read)
            std::abort();
        return *read;
    }();
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const kq::TextFileContent content =
        kq::DecodeTextLines(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    const std::optional<kq::KeywordFile> own = kq::ParseKeywordFile(content.lines);
    const kq::KeywordFile &keywords = own ? *own : DefaultKeywords();
    const QStringList source = own ? content.lines.mid(kq::kKeywordSlots) : content.lines;
    const QStringList editorLines = kq::EditorLinesOfSection(source);

    const std::optional<kq::TextCheckFailure> failure = kq::FirstFailingCheck(editorLines, keywords);
    const std::optional<QString> message = kq::CheckTextProgram(editorLines, keywords);
    if (failure.has_value() != message.has_value())
        std::abort();
    // The line named is one the pupil can see, and not a blank one.
    if (failure
        && (failure->line < 1 || failure->line > editorLines.size()
            || kq::NormalisedLines({editorLines[failure->line - 1]}).isEmpty()))
        std::abort();
    const std::optional<QStringList> lines = kq::TranslateText(editorLines, keywords);
    if (!message && !lines)
        std::abort();
    if (message || own)
        return 0;

    const kq::ParsedProgramLines parsed = kq::ParseProgramLines(*lines);
    if (parsed.error)
        std::abort();
    if (const auto table = kq::BuildInstructionTable(parsed.instructions); table && table->entries.size() > 60)
        std::abort();
    const std::optional<QString> text = kq::LinesToText(parsed.instructions, keywords, kq::kCurrentGeneration);
    if (!text || kq::TranslateText(kq::EditorLines(*text), keywords) != lines)
        std::abort();
    return 0;
}
