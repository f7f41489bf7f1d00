#include "tools/melody/melody_bytes.h"

#include "base/text_helpers.h"
#include "device/report_text.h"

namespace kq {

namespace {
constexpr int kNoteBytesPerLength = 37;
constexpr int kLedLinkOn = 192;
constexpr int kLedLinkOff = 193;
// Where the melody lies in the clock's memory, from address 0.
constexpr int kLedAddress = 128;
constexpr int kLinkAddress = 141;
constexpr int kSpeedAddress = 142;
constexpr int kFirstNoteAddress = 144;
constexpr int kMemoryEnd = 255;
constexpr int kUnwrittenByte = 0xFF;
constexpr int kEndByte = 0xFA;

int SpeedByte(MelodySpeed speed)
{
    switch (speed) {
    case MelodySpeed::Double:
        return 3;
    case MelodySpeed::Standard:
        return 2;
    case MelodySpeed::Half:
        return 1;
    }
    return 2;
}

// A byte of the dump; -1 for a line that is no byte.
int ByteAt(const QStringList &dump, int address)
{
    const std::optional<quint32> value = HexToInt(QString(dump[address]).remove(QLatin1Char(' ')));
    return value && *value <= 0xFF ? int(*value) : -1;
}
}  // namespace

int NoteByte(const MelodyNote &note)
{
    if (IsRest(note))
        return kFirstRestByte + note.length;
    return kNoteBytesPerLength * note.length + SemitoneOf(note.key, note.sharp);
}

ByteList MelodyNoteBytes(const Melody &melody)
{
    ByteList bytes;
    bytes.reserve(melody.Count());
    for (int i = 0; i < melody.Count(); ++i)
        bytes.append(NoteByte(melody.Note(i)));
    return bytes;
}

ByteList MelodyBytes(const Melody &melody)
{
    ByteList bytes;
    for (int led = 0; led < kLedCount; ++led)
        bytes.append(kFirstLedByte + melody.LedColour(led));
    bytes << (melody.LedLink() ? kLedLinkOn : kLedLinkOff) << SpeedByte(melody.Speed()) << 0;
    bytes += MelodyNoteBytes(melody);
    return bytes;
}

std::optional<Melody> DecodeMelodyMemory(QStringList dump)
{
    DropToMemoryStart(dump);
    if (dump.size() <= kSpeedAddress)
        return std::nullopt;

    QList<MelodyNote> notes;
    int x = kFirstNoteX;
    const int end = int(std::min<qsizetype>(dump.size(), kMemoryEnd));
    for (int address = kFirstNoteAddress; address < end && notes.size() < kMelodySlots; ++address) {
        const int byte = ByteAt(dump, address);
        if (byte == kEndByte)
            break;
        MelodyNote note;
        if (byte >= kFirstRestByte && byte < kFirstRestByte + kLengthCount) {
            note = {kRestKey, byte - kFirstRestByte, 0, x, 0};
        } else if (byte >= 0 && byte < kFirstRestByte) {
            const KeyChoice key = KeyOfSemitone(byte % kNoteBytesPerLength);
            note = {key.key, byte / kNoteBytesPerLength, key.sharp ? 1 : 0, x, KeyY(key.key)};
        } else {
            // Unwritten memory (FF), and bytes that are no note of any length.
            continue;
        }
        notes.append(note);
        x += LengthWidth(note.length);
    }

    Melody melody = Melody::WithNotes(notes);
    for (int led = 0; led < kLedCount; ++led) {
        const int colour = ByteAt(dump, kLedAddress + led) - kFirstLedByte;
        melody.SetLedColour(led, colour >= 0 && colour < kColourCount ? colour : kLedOff);
    }
    melody.SetLedLink(ByteAt(dump, kLinkAddress) == kLedLinkOn);
    const int speed = ByteAt(dump, kSpeedAddress);
    melody.SetSpeed(speed == 3 ? MelodySpeed::Double : speed == 2 ? MelodySpeed::Standard : MelodySpeed::Half);
    return melody;
}

}  // namespace kq
