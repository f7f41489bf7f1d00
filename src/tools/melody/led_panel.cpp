#include "tools/melody/led_panel.h"

#include "base/paths.h"
#include "tools/melody/staff_layout.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QSignalBlocker>

namespace kq {

namespace {
constexpr int kPictureSize = 30;

bool IsSharpLed(int led)
{
    return led == 1 || led == 3 || led == 6 || led == 8 || led == 10;
}
}  // namespace

QString LedPicturePath(int led, int colour)
{
    return QStringLiteral("Img\\Icon\\Melo\\%1\\%2.jpg")
        .arg(IsSharpLed(led) ? QStringLiteral("Black") : QStringLiteral("White"))
        .arg(colour);
}

LedPanel::LedPanel(const Paths &paths, QWidget *parent) : QGroupBox(QStringLiteral("LED"), parent), m_paths(paths)
{
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(1);
    grid->setContentsMargins(4, 2, 4, 2);
    for (int led = 0; led < kLedCount; ++led) {
        auto *name = new QLabel(led == kRestLed ? QStringLiteral("休符") : NoteName(led), this);
        name->setAlignment(Qt::AlignCenter);
        auto *image = new QLabel(this);
        image->setObjectName(QStringLiteral("LED_Image%1").arg(led));
        image->setFixedSize(kPictureSize, kPictureSize);
        image->setScaledContents(true);
        auto *combo = new QComboBox(this);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        combo->setObjectName(QStringLiteral("LED_Combo%1").arg(led));
        for (const QString &choice : kColourChoices)
            combo->addItem(choice);
        combo->setCurrentIndex(kLedOff);
        grid->addWidget(name, 0, led, Qt::AlignHCenter);
        grid->addWidget(image, 1, led, Qt::AlignHCenter);
        grid->addWidget(combo, 2, led);
        m_images[std::size_t(led)] = image;
        m_combos[std::size_t(led)] = combo;
        ShowPicture(led, kLedOff);
        connect(combo, &QComboBox::currentIndexChanged, this, [this, led](int colour) {
            ShowPicture(led, colour);
            emit ColourChosen(led, colour);
        });
    }
}

void LedPanel::ShowColours(const Melody &melody)
{
    for (int led = 0; led < kLedCount; ++led) {
        const QSignalBlocker quiet(m_combos[std::size_t(led)]);
        m_combos[std::size_t(led)]->setCurrentIndex(melody.LedColour(led));
        ShowPicture(led, melody.LedColour(led));
    }
}

void LedPanel::ShowPicture(int led, int colour)
{
    m_images[std::size_t(led)]->setPixmap(QPixmap(m_paths.ProgramFile(LedPicturePath(led, colour))));
}

}  // namespace kq
