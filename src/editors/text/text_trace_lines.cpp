#include "editors/text/text_trace_lines.h"

#include "base/text_helpers.h"
#include "editors/text/text_program.h"
#include "model/instruction_starts.h"
#include "model/instruction_table.h"

#include <vector>

namespace kq {

std::map<int, int> TextLinesByAddress(const QStringList &editorLines, const KeywordFile &keywords, int generation)
{
    // Each statement line becomes one instruction, and the table numbers the
    // instructions in line order after its start.
    std::vector<int> statementLines;
    for (int i = 0; i < editorLines.size(); ++i) {
        const QString line = CleanTextLine(editorLines[i]);
        if (!line.isEmpty() && IsStatementLine(line))
            statementLines.push_back(i);
    }
    const std::optional<QStringList> programLines = TranslateText(editorLines, keywords);
    if (!programLines)
        return {};
    const ParsedProgramLines parsed = ParseProgramLines(*programLines);
    const std::optional<InstructionTable> table =
        parsed.error ? std::nullopt : BuildInstructionTable(parsed.instructions);
    if (!table || int(table->entries.size()) != int(statementLines.size()) + 2)
        return {};
    std::map<int, int> lines;
    for (const InstructionStart &start : InstructionStarts(RoutinesOf(*table), generation)) {
        if (start.slot >= 1 && start.slot <= int(statementLines.size()))
            lines[start.address] = statementLines[std::size_t(start.slot - 1)];
    }
    return lines;
}

}  // namespace kq
