#include "tools/melody/melody_file.h"

#include "base/text_file.h"
#include "base/text_helpers.h"

namespace kq {

namespace {
constexpr int kLinkLine = 1;
constexpr int kFirstLedLine = 2;
constexpr int kSpeedMarkLine = 15;
constexpr int kSpeedLine = 16;
constexpr int kDataMarkLine = 17;
constexpr int kFirstSlotLine = 18;
// No note lies further right than 110 half notes from the start; a larger x
// would make the staff picture absurdly tall.
constexpr int kLargestX = kFirstNoteX + kMelodySlots * 150;
constexpr int kLargestYOffset = 200;

const QString kOn = QStringLiteral("ON");
const QString kOff = QStringLiteral("OFF");
const QString kSpeedMark = QStringLiteral("SPEED");
const QString kDataMark = QStringLiteral("DATA");
const QString kUnwrittenSlot = QStringLiteral("FF");

// The file's speed codes run the other way from the device's speed byte.
QString SpeedCode(MelodySpeed speed)
{
    switch (speed) {
    case MelodySpeed::Double:
        return QStringLiteral("1");
    case MelodySpeed::Standard:
        return QStringLiteral("2");
    case MelodySpeed::Half:
        return QStringLiteral("3");
    }
    return QStringLiteral("2");
}

std::optional<int> NumberIn(const QString &text, int lowest, int highest)
{
    const std::optional<int> value = IntegerValueOf(text);
    if (!value || *value < lowest || *value > highest)
        return std::nullopt;
    return value;
}

std::optional<MelodyNote> SlotNote(const QString &line)
{
    const QStringList fields = line.split(QLatin1Char(','));
    if (fields.size() != 5)
        return std::nullopt;
    const std::optional<int> key = NumberIn(fields[0], 0, kRestKey);
    const std::optional<int> length = NumberIn(fields[1], 0, kLengthCount - 1);
    const std::optional<int> sharp = NumberIn(fields[2], 0, 1);
    const std::optional<int> x = NumberIn(fields[3], 0, kLargestX);
    const std::optional<int> y = NumberIn(fields[4], -kLargestYOffset, kLargestYOffset);
    if (!key || !length || !sharp || !x || !y)
        return std::nullopt;
    if (*key != kRestKey && *key >= kWhiteKeyCount)
        return std::nullopt;
    // Only the keys that have a black key to their right can be sharp.
    if (*sharp == 1 && (*key == kRestKey || !HasBlackKeyRight(*key)))
        return std::nullopt;
    return MelodyNote {*key, *length, *sharp, *x, *y};
}
}  // namespace

QStringList MelodyFileLines(const Melody &melody)
{
    QStringList lines {kMelodyFileMark, melody.LedLink() ? kOn : kOff};
    for (int led = 0; led < kLedCount; ++led)
        lines.append(QString::number(melody.LedColour(led)));
    lines << kSpeedMark << SpeedCode(melody.Speed()) << kDataMark;
    for (int slot = 0; slot < kMelodySlots; ++slot) {
        if (slot >= melody.Count()) {
            lines.append(QString());
            continue;
        }
        const MelodyNote &note = melody.Note(slot);
        lines.append(
            QStringLiteral("%1,%2,%3,%4,%5").arg(note.key).arg(note.length).arg(note.sharp).arg(note.x).arg(note.y));
    }
    return lines;
}

MelodyFileRead ReadMelodyFile(const QStringList &lines)
{
    MelodyFileRead read;
    if (lines.isEmpty() || lines.first() != kMelodyFileMark) {
        read.result = MelodyFileRead::Result::OtherStep;
        return read;
    }
    if (lines.size() < kMelodyFileLines)
        return read;
    // Nothing may follow the last slot but empty lines.
    for (qsizetype i = kMelodyFileLines; i < lines.size(); ++i) {
        if (!lines[i].isEmpty())
            return read;
    }
    if ((lines[kLinkLine] != kOn && lines[kLinkLine] != kOff) || lines[kSpeedMarkLine] != kSpeedMark
        || lines[kDataMarkLine] != kDataMark)
        return read;

    QList<MelodyNote> notes;
    for (int slot = 0; slot < kMelodySlots; ++slot) {
        const QString &line = lines[kFirstSlotLine + slot];
        if (line.isEmpty() || line == kUnwrittenSlot)
            continue;
        const std::optional<MelodyNote> note = SlotNote(line);
        if (!note)
            return read;
        // An empty slot between notes closes up: the notes keep their order.
        notes.append(*note);
    }
    Melody melody = Melody::WithNotes(notes);
    melody.SetLedLink(lines[kLinkLine] == kOn);
    for (int led = 0; led < kLedCount; ++led) {
        const std::optional<int> colour = NumberIn(lines[kFirstLedLine + led], 0, kColourCount - 1);
        if (!colour)
            return read;
        melody.SetLedColour(led, *colour);
    }
    const std::optional<int> speed = NumberIn(lines[kSpeedLine], 1, 3);
    if (!speed)
        return read;
    melody.SetSpeed(*speed == 1 ? MelodySpeed::Double : *speed == 2 ? MelodySpeed::Standard : MelodySpeed::Half);
    read.melody = melody;
    read.result = MelodyFileRead::Result::Loaded;
    return read;
}

QByteArray MelodyFileBytes(const Melody &melody)
{
    // Digits, commas and ASCII marks only: the code page holds every line.
    return EncodeTextLines(MelodyFileLines(melody)).value_or(QByteArray());
}

MelodyFileRead ReadMelodyFileBytes(QByteArrayView bytes)
{
    const TextFileContent content = DecodeTextLines(bytes);
    if (content.hasDecodingErrors)
        return {};
    return ReadMelodyFile(content.lines);
}

}  // namespace kq
