#include "cli/command.h"
#include "cli/program_input.h"
#include "editors/icon/icon_program.h"
#include "model/instruction_table.h"
#include "model/memory_messages.h"

namespace kq::cli {

namespace {
constexpr const char *kBytesUsage = "usage: kq27-tool bytes FILE [--generation 3|4] [--keywords FILE]";
constexpr const char *kSizeUsage = "usage: kq27-tool size FILE [--generation 3|4] [--keywords FILE]";
}  // namespace

int RunBytes(const QStringList &arguments)
{
    const ProgramInputResult read = ReadProgramInput(arguments, kBytesUsage);
    if (!read.input)
        return read.exitCode;
    const ProgramInput &input = *read.input;

    // The icon step sends its own stream and applies no memory limit.
    if (input.iconRow) {
        for (const QString &item : ByteListTexts(FrameTransfer(EncodeIconRow(*input.iconRow, input.generation))))
            PrintLine(stdout, item);
        return kSuccess;
    }

    // Too many entries for the table always means too many bytes as well.
    const std::optional<InstructionTable> table = BuildInstructionTable(input.instructions);
    if (!table || MemoryTotal(*table, input.generation) > kMemoryLimit)
        return Fail(kInvalidProgram, kTextTransferOverflowMessage);

    const ByteList framed = FrameTransfer(EncodeProgram(RoutinesOf(*table), input.generation));
    for (const QString &item : ByteListTexts(framed))
        PrintLine(stdout, item);
    return kSuccess;
}

int RunSize(const QStringList &arguments)
{
    const ProgramInputResult read = ReadProgramInput(arguments, kSizeUsage);
    if (!read.input)
        return read.exitCode;
    PrintLine(stdout, QString::number(ProgramLinesMemoryCount(read.input->instructions, read.input->generation)));
    return kSuccess;
}

}  // namespace kq::cli
