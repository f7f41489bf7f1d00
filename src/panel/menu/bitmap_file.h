#pragma once

#include <QImage>
#include <QString>

namespace kq::panel {

class EffectControl;

// Qt's filter form of the BMP dialogs.
inline const QString kBitmapFilter = QStringLiteral("ビットマップ (*.bmp)");

// Whether the name's extension, in lower case, is ".bmp".
bool HasBitmapExtension(const QString &path);

enum class BitmapWrite { Written, Stopped, Failed };

// Writes image as a BMP file, reporting progress and stopping when asked.
// The file appears only complete: a stopped or failed write leaves no file
// behind, and an existing file of that name untouched.
[[nodiscard]] BitmapWrite WriteBitmapFile(const QString &path, const QImage &image, EffectControl &control);

}  // namespace kq::panel
