// The clock's memory as it is read back: any list of byte values, decoded at
// every address, as the flowchart's read-back and the memory views do.
#include "model/encoder.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const kq::ByteList memory(data, data + size);
    for (int address = -1; address <= memory.size(); ++address) {
        const std::optional<kq::DecodedInstruction> decoded = kq::DecodeInstructionAt(memory, address);
        if (!decoded)
            continue;
        // An instruction lies wholly inside the memory it was read from.
        if (decoded->address != address || decoded->size < 1 || address + decoded->size > memory.size())
            std::abort();
    }
    return 0;
}
