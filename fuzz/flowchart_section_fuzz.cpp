// A flowchart file as the flowchart step and kq27-tool read it: the ROUTINE
// section, then the check, the device code, the linear form and the import
// of its program lines, none of which may crash or hang on what loads.
#include "base/text_file.h"
#include "editors/flowchart/flowchart.h"
#include "editors/flowchart/flowchart_code.h"
#include "editors/flowchart/flowchart_import.h"
#include "editors/flowchart/flowchart_linear.h"
#include "model/program_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const kq::TextFileContent content =
        kq::DecodeTextLines(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    const kq::ProgramFileParts parts = kq::SplitProgramFile(content.lines);

    kq::Flowchart flowchart;
    if (flowchart.LoadSection(parts.section)) {
        // What loads writes back as the same section.
        kq::Flowchart back;
        if (!back.LoadSection(flowchart.SectionLines()) || back.SectionLines() != flowchart.SectionLines())
            std::abort();
        const kq::GeneratedProgram program = kq::GenerateProgram(flowchart);
        // A correct program has its start box at least; a failed check sends nothing.
        if ((program.result == kq::CheckResult::Correct) == program.bytes.isEmpty())
            std::abort();
        (void)kq::LinearFormOf(flowchart);
    }
    const kq::ImportResult imported = kq::ImportProgramLines(parts.programLines, kq::kCurrentGeneration);
    kq::Flowchart fromLines;
    if (imported.section && !fromLines.LoadSection(*imported.section))
        std::abort();
    return 0;
}
