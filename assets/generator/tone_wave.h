#pragma once

#include <QString>

namespace kq::assets {

// "Stop.WAV": a short, soft tone in the same PCM form as the melody the
// studio writes (8 bits, mono, 48000 samples per second). Playing it replaces
// a melody still sounding. Returns an error text, empty on success.
QString WriteStopTone(const QString &path);

}  // namespace kq::assets
