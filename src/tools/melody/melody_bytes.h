#pragma once

#include "model/encoder.h"
#include "tools/melody/melody.h"

#include <QStringList>

#include <optional>

// The melody as the clock stores it: 13 LED bytes, the link, the speed, 0,
// then one byte per note; and the way back from a memory dump.
namespace kq {

inline constexpr int kMelodyHeaderBytes = 16;
inline constexpr int kFirstRestByte = 185;
inline constexpr int kFirstLedByte = 194;

// The bytes sent between 242 and 250.
ByteList MelodyBytes(const Melody &melody);
// The note bytes alone: the tail of MelodyBytes.
ByteList MelodyNoteBytes(const Melody &melody);
int NoteByte(const MelodyNote &note);

// The melody in a memory dump of hexadecimal byte texts, read from the first
// "E6" (address 0) on: nullopt when there is none, or when the dump ends
// before the notes begin.
std::optional<Melody> DecodeMelodyMemory(QStringList dump);

}  // namespace kq
