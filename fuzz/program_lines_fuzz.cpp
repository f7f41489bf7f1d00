// Program lines as kq27-tool and the steps read them: each input byte a
// character, lines split at LF. The checked lines are encoded as the text
// step encodes them, and what the parser accepts must hold together.
#include "model/encoder.h"
#include "model/instruction_table.h"
#include "model/program_lines.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines =
        QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size)).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        // A line that parses is one that its own text form gives back.
        if (const std::optional<kq::ProgramLine> parsed = kq::ParseProgramLine(line))
            Check(kq::ParseProgramLine(parsed->ToText()) == parsed);
    }

    const kq::ParsedProgramLines parsed = kq::ParseProgramLines(lines);
    if (parsed.error) {
        Check(parsed.error->lineNumber >= 0 && parsed.error->lineNumber <= lines.size());
        return 0;
    }
    for (const int generation : {kq::kOlderGeneration, kq::kCurrentGeneration}) {
        const int count = kq::ProgramLinesMemoryCount(parsed.instructions, generation);
        const std::optional<kq::InstructionTable> table = kq::BuildInstructionTable(parsed.instructions);
        Check(table.has_value()
              == (kq::InstructionTableEntriesNeeded(parsed.instructions) <= kq::kTableEntries));
        if (!table)
            continue;
        // The memory count, the table's total and the encoded bytes agree.
        Check(kq::MemoryTotal(*table, generation) == count);
        const kq::ByteList bytes = kq::EncodeProgram(kq::RoutinesOf(*table), generation);
        Check(bytes.size() == count);
        // Within the memory every address fits a byte; beyond it the tool
        // refuses before sending anything.
        for (const int byte : bytes)
            Check(byte >= 0 && (byte <= 255 || count > kq::kMemoryLimit));
    }
    return 0;
}
