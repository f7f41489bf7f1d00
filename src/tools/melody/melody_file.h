#pragma once

#include "tools/melody/melody.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

// The melody file: exactly 128 lines, "SOUND", the LED link, the 13 LED
// colours, the speed and one line per note slot.
namespace kq {

inline constexpr int kMelodyFileLines = 128;
inline const QString kMelodyFileMark = QStringLiteral("SOUND");
inline const QString kMelodyFileEnding = QStringLiteral("(メロディ).kq27");
inline const QString kMelodySaveFilter = QStringLiteral("KQ-27メロディファイル(*.kq27)");
inline const QString kMelodyOpenFilter = QStringLiteral("KQ-27メロディファイル (*.kq27)");
inline const QString kOtherStepFileMessage =
    QStringLiteral("指定したファイルは他のステップで作成されたファイルの為、開くことが出来ません。");

QStringList MelodyFileLines(const Melody &melody);

struct MelodyFileRead {
    enum class Result {
        Loaded,
        OtherStep,
        Damaged
    };
    Result result = Result::Damaged;
    Melody melody;  // when Loaded; its history is empty
};

// A file whose first line is not "SOUND" comes from another step; lines
// that are missing, no numbers or out of range make it damaged.
MelodyFileRead ReadMelodyFile(const QStringList &lines);

// The file's bytes as a save writes them, and read back from bytes (a
// recovery copy's body); bytes that are not CP932 make it damaged.
QByteArray MelodyFileBytes(const Melody &melody);
MelodyFileRead ReadMelodyFileBytes(QByteArrayView bytes);

}  // namespace kq
