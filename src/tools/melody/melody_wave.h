#pragma once

#include "model/encoder.h"
#include "tools/melody/melody.h"

#include <QByteArray>
#include <QString>

// The melody as the PC plays it: square waves in an 8-bit mono WAV file at
// 48 kHz, built in memory from the melody's note bytes.
namespace kq {

inline const QString kMelodyWaveName = QStringLiteral("Melo.WAV");
inline const QString kStopWaveName = QStringLiteral("Stop.WAV");
inline constexpr int kRestSamples = 10100;
inline constexpr int kWaveHeaderBytes = 44;

enum class PlayedNotes {
    All,
    Last10,
    Last20
};

// The note bytes a playback command plays: all, or the last 10 or 20.
ByteList PlayedNoteBytes(const ByteList &noteBytes, PlayedNotes which);

// Whole hertz of semitone 0..36 above C3, equal temperament with A4 at 440.
int NoteFrequency(int semitone);

// The samples of the note bytes at that speed.
QByteArray MelodySamples(const ByteList &noteBytes, MelodySpeed speed);

// The 44-byte header of a file holding that many samples.
QByteArray WaveHeader(qsizetype sampleCount);

// The whole file of the note bytes at that speed, in memory: what a key of
// the keyboard sounds like.
QByteArray MelodyWave(const ByteList &noteBytes, MelodySpeed speed);

// Writes the file atomically; false when it could not be written.
[[nodiscard]] bool WriteMelodyWave(const QString &path, const ByteList &noteBytes, MelodySpeed speed);

}  // namespace kq
