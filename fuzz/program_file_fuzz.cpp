// A program file as the steps and kq27-tool read it: the bytes decoded as
// CP932 lines, split into first line, program lines, report fields and the
// step's section, and the program lines checked and encoded.
#include "base/text_file.h"
#include "model/instruction_table.h"
#include "model/program_file.h"
#include "model/program_lines.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const kq::TextFileContent content =
        kq::DecodeTextLines(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    // What reads without error writes back and reads as the same lines.
    if (!content.hasDecodingErrors) {
        const kq::EncodedLines bytes = kq::EncodeTextLines(content.lines);
        if (!bytes || kq::DecodeTextLines(*bytes).lines != content.lines)
            std::abort();
    }

    const kq::ProgramFileParts parts = kq::SplitProgramFile(content.lines);
    const kq::ParsedProgramLines parsed = kq::ParseProgramLines(parts.programLines);
    if (parsed.error)
        return 0;
    if (const std::optional<kq::InstructionTable> table = kq::BuildInstructionTable(parsed.instructions)) {
        for (const int generation : {kq::kOlderGeneration, kq::kCurrentGeneration})
            (void)kq::EncodeProgram(kq::RoutinesOf(*table), generation);
    }
    return 0;
}
