// An icon file as the icon step and kq27-tool read it: the DDDATA section's
// slot lines under both generations, and the program lines of another step's
// file turned into icons.
#include "base/text_file.h"
#include "editors/icon/icon_program.h"
#include "editors/icon/icon_section.h"
#include "model/program_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const kq::TextFileContent content =
        kq::DecodeTextLines(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    const kq::ProgramFileParts parts = kq::SplitProgramFile(content.lines);

    for (const int generation : {kq::kOlderGeneration, kq::kCurrentGeneration}) {
        kq::IconRow row;
        if (kq::ReadIconSection(parts.section, generation, row)) {
            // What reads writes back as the same row.
            kq::IconRow back;
            if (!kq::ReadIconSection(kq::IconSectionLines(row, generation), generation, back) || !(back == row))
                std::abort();
        }
        // A partly read row is a row all the same.
        const kq::ParsedProgramLines lines = kq::ParseProgramLines(kq::IconProgramLines(row, generation));
        if (lines.error || kq::EncodeIconRow(row, generation).size() > 2 + kq::kMemoryLimit + 2)
            std::abort();

        const kq::IconLinesResult converted = kq::LinesToIcons(parts.programLines, generation);
        if (converted.row && kq::IconMemoryCount(*converted.row, generation) > kq::kMemoryLimit)
            std::abort();
    }
    return 0;
}
