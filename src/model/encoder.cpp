#include "model/encoder.h"

#include "model/colour_packing.h"
#include "model/instruction_starts.h"

#include <cstddef>

namespace kq {

namespace {

constexpr int kMainRoutine = 0;

int SlotSize(const std::optional<InstructionRecord> &slot, int generation)
{
    return slot ? CommandSizeOf(slot->kind, slot->params, generation) : 0;
}

}  // namespace

int AddressOf(const Routines &routines, int routine, int slot, int generation)
{
    int address = 0;
    const int routineCount = int(routines.size());
    for (int r = 0; r < routineCount && r <= routine; ++r) {
        const int counted = r < routine ? kRoutineSlots : std::min(slot, kRoutineSlots);
        for (int s = 0; s < counted; ++s)
            address += SlotSize(routines[std::size_t(r)][std::size_t(s)], generation);
    }
    return address;
}

int ProgramSize(const Routines &routines, int generation)
{
    int size = 0;
    for (const Routine &routine : routines) {
        for (const auto &slot : routine)
            size += SlotSize(slot, generation);
    }
    return size;
}

namespace {

// Writes the bytes and, when asked, where each instruction begins.
ByteList Encode(const Routines &routines, int generation, std::vector<InstructionStart> *starts)
{
    ByteList bytes;
    const int routineCount = std::min(int(routines.size()), kRoutineCount);
    for (int r = 0; r < routineCount; ++r) {
        for (int s = 0; s < kRoutineSlots; ++s) {
            const std::optional<InstructionRecord> &slot = routines[std::size_t(r)][std::size_t(s)];
            if (!slot)
                continue;
            const InstructionRecord &record = *slot;
            const std::optional<int> code = CommandCodeOf(record.kind, record.params, generation);
            if (!code)
                continue;
            if (starts)
                starts->push_back({int(bytes.size()), r, s});
            const auto &p = record.params.p;
            const CodeLayout layout = LayoutOfCode(*code);
            if (layout.colour4) {
                for (int b : PackColour4(p[0], p[1], p[2], p[3]))
                    bytes.append(b);
            } else if (record.kind == InstructionKind::End && r != kMainRoutine) {
                bytes.append(kSubroutineReturnCode);
            } else {
                bytes.append(*code);
            }
            if (layout.colour3) {
                for (int b : PackColour3(p[0], p[1], p[2], p[3]))
                    bytes.append(b);
            }
            if (layout.subroutineAddress) {
                const int called = p[0];
                bytes.append(called >= 0 && called < kRoutineCount ? AddressOf(routines, called, 0, generation) : 0);
            }
            for (int i = 0; i < layout.parameterBytes; ++i)
                bytes.append(p[std::size_t(i)]);
            if (!layout.hasNext)
                continue;
            bytes.append(record.next ? AddressOf(routines, r, *record.next, generation) : 0);
            if (layout.hasBranch)
                bytes.append(record.branch ? AddressOf(routines, r, *record.branch, generation) : 0);
        }
    }
    return bytes;
}

}  // namespace

ByteList EncodeProgram(const Routines &routines, int generation)
{
    return Encode(routines, generation, nullptr);
}

std::vector<InstructionStart> InstructionStarts(const Routines &routines, int generation)
{
    std::vector<InstructionStart> starts;
    (void)Encode(routines, generation, &starts);
    return starts;
}

ByteList FrameTransfer(const ByteList &bytes)
{
    ByteList framed;
    framed.reserve(bytes.size() + 2);
    framed.append(kTransferStartItem);
    framed.append(bytes);
    framed.append(kTransferEndItem);
    return framed;
}

QStringList ByteListTexts(const ByteList &bytes)
{
    QStringList texts;
    texts.reserve(bytes.size());
    for (int b : bytes)
        texts.append(QString::number(b));
    return texts;
}

std::optional<DecodedInstruction> DecodeInstructionAt(const ByteList &memory, int address)
{
    if (address < 0 || address >= memory.size())
        return std::nullopt;
    const int code = memory[address];
    if (code == kEndOfProgramByte)
        return std::nullopt;
    const CodeLayout layout = LayoutOfCode(code);
    if (address + layout.size > memory.size())
        return std::nullopt;
    auto byteAt = [&](int offset) { return memory[address + offset]; };

    DecodedInstruction decoded;
    decoded.address = address;
    decoded.code = code;
    decoded.kind = InstructionKindOfCode(code);
    decoded.size = layout.size;
    decoded.params.variant = VariantOfCode(code);
    auto &p = decoded.params.p;

    int offset = 1;
    if (layout.colour4) {
        const UnpackedColour c = UnpackColour4({byteAt(0), byteAt(1), byteAt(2), byteAt(3)});
        p = {c.red, c.green, c.blue, c.time, 0};
        offset = 4;
    } else if (layout.colour3) {
        const UnpackedColour c = UnpackColour3({byteAt(1), byteAt(2), byteAt(3)});
        p = {c.red, c.green, c.blue, c.time, 0};
        offset = 4;
    } else if (layout.subroutineAddress) {
        decoded.subroutineAddress = byteAt(1);
        offset = 2;
    }
    for (int i = 0; i < layout.parameterBytes; ++i)
        p[std::size_t(i)] = byteAt(offset++);
    if (layout.hasNext)
        decoded.next = byteAt(offset++);
    if (layout.hasBranch)
        decoded.branch = byteAt(offset++);
    return decoded;
}

}  // namespace kq
