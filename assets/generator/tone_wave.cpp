#include "tone_wave.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cmath>
#include <numbers>

namespace kq::assets {

namespace {

constexpr int kSampleRate = 48000;
constexpr double kFrequency = 660.0;
constexpr double kSeconds = 0.12;
// Far below full scale, and faded in and out so it does not click.
constexpr double kAmplitude = 36.0;
constexpr double kFadeSeconds = 0.03;

QByteArray ToneSamples()
{
    const int count = int(kSampleRate * kSeconds);
    const int fade = int(kSampleRate * kFadeSeconds);
    QByteArray samples(count, Qt::Uninitialized);
    for (int i = 0; i < count; ++i) {
        const double envelope = std::min({1.0, double(i) / fade, double(count - 1 - i) / fade});
        const double value = std::sin(2.0 * std::numbers::pi * kFrequency * i / kSampleRate);
        samples[i] = char(quint8(std::lround(128.0 + kAmplitude * envelope * value)));
    }
    return samples;
}

}  // namespace

QString WriteStopTone(const QString &path)
{
    const QByteArray samples = ToneSamples();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1").arg(path);

    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(samples.size() + 36);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(kSampleRate) << quint32(kSampleRate)
        << quint16(1) << quint16(8);
    out.writeRawData("data", 4);
    out << quint32(samples.size());
    out.writeRawData(samples.constData(), int(samples.size()));
    if (!file.commit())
        return QStringLiteral("cannot write %1").arg(path);
    return {};
}

}  // namespace kq::assets
