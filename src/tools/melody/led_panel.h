#pragma once

#include "tools/melody/melody.h"

#include <QGroupBox>

#include <array>

class QComboBox;
class QLabel;

// The 13 LEDs of the LED panel: a colour choice (LED_Combo<n>) and a picture
// (LED_Image<n>) each, the sharps' pictures from the Black set.
namespace kq {

class Paths;

inline const std::array<QString, kColourCount> kColourChoices {
    QStringLiteral("赤"), QStringLiteral("緑"),   QStringLiteral("青"), QStringLiteral("黄色"),
    QStringLiteral("紫"), QStringLiteral("水色"), QStringLiteral("白"), QStringLiteral("消灯")};

// "Img\Icon\Melo\White\4.jpg" and the like.
QString LedPicturePath(int led, int colour);

class LedPanel final : public QGroupBox {
    Q_OBJECT

public:
    LedPanel(const Paths &paths, QWidget *parent);

    // Shows the melody's colours without announcing them.
    void ShowColours(const Melody &melody);

signals:
    void ColourChosen(int led, int colour);

private:
    void ShowPicture(int led, int colour);

    const Paths &m_paths;
    std::array<QComboBox *, kLedCount> m_combos {};
    std::array<QLabel *, kLedCount> m_images {};
};

}  // namespace kq
