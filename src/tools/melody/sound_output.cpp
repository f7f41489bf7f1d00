#include "tools/melody/sound_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>
#include <QtEndian>

#include <optional>

namespace kq {

namespace {

// A WAV file small enough to play from memory.
constexpr qint64 kLargestWave = 64 * 1024 * 1024;

struct PcmSound {
    QAudioFormat format;
    QByteArray samples;
};

// Plain PCM in 8 or 16 bits; nullopt for anything else.
std::optional<PcmSound> ParsePcm(const QByteArray &bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<QAudioFormat> format;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const qsizetype body = at + 8;
        if (size > bytes.size() - body)
            return std::nullopt;
        if (id == "fmt " && size >= 16) {
            const char *fmt = bytes.constData() + body;
            const int bits = qFromLittleEndian<quint16>(fmt + 14);
            if (qFromLittleEndian<quint16>(fmt) != 1 || (bits != 8 && bits != 16))
                return std::nullopt;
            QAudioFormat pcm;
            pcm.setChannelCount(qFromLittleEndian<quint16>(fmt + 2));
            pcm.setSampleRate(int(qFromLittleEndian<quint32>(fmt + 4)));
            pcm.setSampleFormat(bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
            format = pcm;
        } else if (id == "data" && format) {
            return PcmSound {*format, bytes.mid(body, size)};
        }
        at = body + size + size % 2;
    }
    return std::nullopt;
}

}  // namespace

AudioSinkOutput::AudioSinkOutput() = default;

AudioSinkOutput::~AudioSinkOutput()
{
    if (m_sink)
        m_sink->stop();
}

void AudioSinkOutput::Play(const QString &path)
{
    QFile file(path);
    // Unreadable or too large: nothing is heard, as without a device.
    const bool readable = file.open(QIODevice::ReadOnly) && file.size() <= kLargestWave;
    PlayWave(readable ? file.readAll() : QByteArray());
}

void AudioSinkOutput::PlayWave(const QByteArray &wave)
{
    if (m_sink)
        m_sink->stop();
    m_sink.reset();
    m_samples.reset();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    const std::optional<PcmSound> sound = ParsePcm(wave);
    if (device.isNull() || !sound || !device.isFormatSupported(sound->format))
        return;
    m_samples = std::make_unique<QBuffer>();
    m_samples->setData(sound->samples);
    m_samples->open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(device, sound->format);
    m_sink->start(m_samples.get());
}

}  // namespace kq
