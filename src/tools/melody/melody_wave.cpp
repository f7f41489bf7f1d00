#include "tools/melody/melody_wave.h"

#include "base/atomic_file.h"
#include "base/transfer_progress.h"
#include "tools/melody/melody_bytes.h"

#include <QtEndian>

#include <array>
#include <cmath>
#include <cstring>

namespace kq {

namespace {
constexpr int kSampleRate = 48000;
constexpr int kHalfPeriodNumerator = 24000;  // samples per second / 2
constexpr int kSemitones = 37;

constexpr int SpeedFactor(MelodySpeed speed)
{
    switch (speed) {
    case MelodySpeed::Double:
        return 4;
    case MelodySpeed::Standard:
        return 2;
    case MelodySpeed::Half:
        return 1;
    }
    return 2;
}

const std::array<int, kSemitones> &Frequencies()
{
    static const std::array<int, kSemitones> table = [] {
        std::array<int, kSemitones> frequencies {};
        // A4 is 21 semitones above C3.
        for (int s = 0; s < kSemitones; ++s)
            frequencies[std::size_t(s)] = int(std::lround(440.0 * std::pow(2.0, (s - 21) / 12.0)));
        return frequencies;
    }();
    return table;
}

struct Tone {
    int halfPeriod = 0;  // samples high, then as many low
    int periods = 0;
};

Tone ToneOf(int noteByte, int speedFactor)
{
    const int frequency = NoteFrequency(noteByte % kSemitones);
    const int multiplier = noteByte / kSemitones + 1;
    // Both quotients are exact binary fractions, so a tie is seen as one and
    // goes to the even neighbour.
    return {RoundHalfEven(double(kHalfPeriodNumerator) / frequency),
            RoundHalfEven(multiplier * (frequency - 1) / 8.0 * 3.0 / speedFactor) + 1};
}

bool IsRestByte(int noteByte)
{
    return noteByte >= kFirstRestByte;
}
}  // namespace

ByteList PlayedNoteBytes(const ByteList &noteBytes, PlayedNotes which)
{
    const qsizetype last = which == PlayedNotes::Last10 ? 10 : which == PlayedNotes::Last20 ? 20 : noteBytes.size();
    return noteBytes.size() <= last ? noteBytes : noteBytes.mid(noteBytes.size() - last);
}

int NoteFrequency(int semitone)
{
    return Frequencies()[std::size_t(semitone)];
}

QByteArray MelodySamples(const ByteList &noteBytes, MelodySpeed speed)
{
    const int factor = SpeedFactor(speed);
    qsizetype total = 0;
    for (int noteByte : noteBytes) {
        if (IsRestByte(noteByte)) {
            total += kRestSamples;
        } else {
            const Tone tone = ToneOf(noteByte, factor);
            total += qsizetype(2) * tone.halfPeriod * tone.periods;
        }
    }

    QByteArray samples(total, Qt::Uninitialized);
    char *out = samples.data();
    for (int noteByte : noteBytes) {
        if (IsRestByte(noteByte)) {
            std::memset(out, 0, kRestSamples);
            out += kRestSamples;
            continue;
        }
        const Tone tone = ToneOf(noteByte, factor);
        for (int period = 0; period < tone.periods; ++period) {
            std::memset(out, 0xFF, std::size_t(tone.halfPeriod));
            std::memset(out + tone.halfPeriod, 0, std::size_t(tone.halfPeriod));
            out += 2 * tone.halfPeriod;
        }
    }
    return samples;
}

QByteArray WaveHeader(qsizetype sampleCount)
{
    QByteArray bytes(kWaveHeaderBytes, Qt::Uninitialized);
    char *header = bytes.data();
    const auto put32 = [&header](int offset, quint32 value) { qToLittleEndian(value, header + offset); };
    const auto put16 = [&header](int offset, quint16 value) { qToLittleEndian(value, header + offset); };
    std::memcpy(header, "RIFF", 4);
    put32(4, quint32(sampleCount + 36));
    std::memcpy(header + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);  // PCM
    put16(22, 1);  // mono
    put32(24, kSampleRate);
    put32(28, kSampleRate);  // bytes per second
    put16(32, 1);  // block alignment
    put16(34, 8);  // bits per sample
    std::memcpy(header + 36, "data", 4);
    put32(40, quint32(sampleCount));
    return bytes;
}

QByteArray MelodyWave(const ByteList &noteBytes, MelodySpeed speed)
{
    const QByteArray samples = MelodySamples(noteBytes, speed);
    return WaveHeader(samples.size()) + samples;
}

bool WriteMelodyWave(const QString &path, const ByteList &noteBytes, MelodySpeed speed)
{
    const QByteArray samples = MelodySamples(noteBytes, speed);
    const QByteArray header = WaveHeader(samples.size());
    AtomicFile file(path);
    return file.Open() && file.Write(header) && file.Write(samples) && file.Commit();
}

}  // namespace kq
