#pragma once

#include <QString>

#include <memory>

class QAudioSink;
class QBuffer;

// Plays a WAV file without waiting for it; a new sound replaces the one still
// playing. Without an audio device nothing is heard and nothing is said.
namespace kq {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void Play(const QString &path) = 0;
    // The bytes of a whole WAV file.
    virtual void PlayWave(const QByteArray &wave) = 0;
};

// Reads the file's PCM samples and hands them to the default audio output.
// The melody file is written again under the same name for every playback,
// so nothing of an earlier reading may be kept: the samples are read afresh
// each time.
class AudioSinkOutput final : public SoundOutput {
public:
    AudioSinkOutput();
    ~AudioSinkOutput() override;
    void Play(const QString &path) override;
    void PlayWave(const QByteArray &wave) override;

private:
    std::unique_ptr<QAudioSink> m_sink;
    std::unique_ptr<QBuffer> m_samples;
};

}  // namespace kq
