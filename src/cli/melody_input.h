#pragma once

#include "tools/melody/melody.h"

#include <QString>

#include <optional>

// Reading the melody file a command works on.
namespace kq::cli {

struct MelodyInput {
    std::optional<Melody> melody;
    int exitCode = 0;  // when melody is empty; the message is already printed
};

MelodyInput ReadMelodyInput(const QString &path);

}  // namespace kq::cli
