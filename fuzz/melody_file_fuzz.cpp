// A melody file as the melody editor and kq27-tool read it, and the same
// bytes as a memory dump for the read-back decoder.
#include "base/text_file.h"
#include "tools/melody/melody_bytes.h"
#include "tools/melody/melody_file.h"
#include "tools/melody/staff_layout.h"

#include <cstdint>
#include <cstdlib>

namespace {

// A melody the editor accepted writes a file that reads back as itself, with
// bytes the clock takes, on a staff of bounded height.
void CheckMelody(const kq::Melody &melody)
{
    if (melody.Count() > kq::kMelodySlots)
        std::abort();
    const QStringList lines = kq::MelodyFileLines(melody);
    const kq::MelodyFileRead again = kq::ReadMelodyFile(lines);
    if (again.result != kq::MelodyFileRead::Result::Loaded || kq::MelodyFileLines(again.melody) != lines)
        std::abort();
    for (int byte : kq::MelodyBytes(melody)) {
        if (byte < 0 || byte > 249)
            std::abort();
    }
    if (kq::LayOutStaff(melody, 800).height > 100 * 30)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const kq::TextFileContent content =
        kq::DecodeTextLines(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));

    const kq::MelodyFileRead read = kq::ReadMelodyFile(content.lines);
    if (read.result == kq::MelodyFileRead::Result::Loaded)
        CheckMelody(read.melody);

    if (const std::optional<kq::Melody> decoded = kq::DecodeMelodyMemory(content.lines))
        CheckMelody(*decoded);
    return 0;
}
