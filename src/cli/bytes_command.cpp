#include "cli/command.h"
#include "cli/program_input.h"
#include "editors/flowchart/flowchart_code.h"
#include "editors/icon/icon_program.h"
#include "model/instruction_table.h"
#include "model/memory_messages.h"

namespace kq::cli {

namespace {
constexpr const char *kBytesUsage = "usage: kq27-tool bytes FILE [--generation 3|4] [--keywords FILE]";
constexpr const char *kSizeUsage = "usage: kq27-tool size FILE [--generation 3|4] [--keywords FILE]";

// The count each step shows: the icon step counts neither start nor end.
int MemoryCountOf(const ProgramInput &input)
{
    if (input.iconRow)
        return IconMemoryCount(*input.iconRow, input.generation);
    if (input.flowchart)
        return input.flowchart->TotalBytes();
    return ProgramLinesMemoryCount(input.instructions, input.generation);
}
}  // namespace

std::optional<ByteList> ProgramBytesOf(const ProgramInput &input)
{
    // The icon step makes its own bytes and applies no memory limit.
    if (input.iconRow)
        return EncodeIconRow(*input.iconRow, input.generation);
    // A flowchart keeps itself within the memory as it is edited.
    if (input.flowchart)
        return GenerateProgram(*input.flowchart).bytes;
    // Too many entries for the table always means too many bytes as well.
    const std::optional<InstructionTable> table = BuildInstructionTable(input.instructions);
    if (!table || MemoryTotal(*table, input.generation) > kMemoryLimit)
        return std::nullopt;
    return EncodeProgram(RoutinesOf(*table), input.generation);
}

int RunBytes(const QStringList &arguments)
{
    const ProgramInputResult read = ReadProgramInput(arguments, kBytesUsage);
    if (!read.input)
        return read.exitCode;
    const std::optional<ByteList> bytes = ProgramBytesOf(*read.input);
    if (!bytes)
        return Fail(kInvalidProgram, kTextTransferOverflowMessage);
    const ByteList framed = FrameTransfer(*bytes);
    for (const QString &item : ByteListTexts(framed))
        PrintLine(stdout, item);
    return kSuccess;
}

int RunSize(const QStringList &arguments)
{
    const ProgramInputResult read = ReadProgramInput(arguments, kSizeUsage);
    if (!read.input)
        return read.exitCode;
    PrintLine(stdout, QString::number(MemoryCountOf(*read.input)));
    return kSuccess;
}

}  // namespace kq::cli
