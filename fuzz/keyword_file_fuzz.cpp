// A keyword file as the text step and the settings window read it: what
// loads writes back as the same file, and every program line has its
// statement or a clear refusal.
#include "base/text_file.h"
#include "editors/text/keyword_file.h"
#include "editors/text/lines_to_text.h"
#include "editors/text/text_program.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const kq::TextFileContent content =
        kq::DecodeTextLines(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    const std::optional<kq::KeywordFile> file = kq::ParseKeywordFile(content.lines);
    if (!file)
        return 0;
    if (kq::ParseKeywordFile(file->ToLines()) != file)
        std::abort();
    const kq::ParsedProgramLines parsed = kq::ParseProgramLines(
        {"START", "2,0,1,2,3,4,0", "8,2,5,0,0,0,0", "13,0,25,10,0,0,0", "20,1,0,0,0,0,0", "21,1,0,0,0,0,0", "END"});
    for (const int generation : {kq::kOlderGeneration, kq::kCurrentGeneration}) {
        if (const std::optional<QString> text = kq::LinesToText(parsed.instructions, *file, generation)) {
            const QStringList lines = kq::EditorLines(*text);
            (void)kq::CheckTextProgram(lines, *file);
            (void)kq::TranslateText(lines, *file);
        }
    }
    return 0;
}
