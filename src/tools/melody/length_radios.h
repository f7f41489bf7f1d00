#pragma once

#include "tools/melody/melody.h"

#include <QString>

#include <array>

class QGroupBox;
class QRadioButton;
class QWidget;

namespace kq {

inline const QString kLengthGroupCaption = QStringLiteral("音符の長さ");
inline const std::array<QString, kLengthCount> kLengthCaptions {
    QStringLiteral("16分音符"), QStringLiteral("8分音符"), QStringLiteral("4分音符"), QStringLiteral("付点4分音符"),
    QStringLiteral("2分音符")};

// The group "音符の長さ" with its five radios radio_Len0..radio_Len4.
QGroupBox *MakeLengthRadios(QWidget *parent, std::array<QRadioButton *, kLengthCount> &radios);

}  // namespace kq
