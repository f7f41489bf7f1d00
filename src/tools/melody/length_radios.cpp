#include "tools/melody/length_radios.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kq {

QGroupBox *MakeLengthRadios(QWidget *parent, std::array<QRadioButton *, kLengthCount> &radios)
{
    auto *group = new QGroupBox(kLengthGroupCaption, parent);
    auto *layout = new QVBoxLayout(group);
    for (int length = 0; length < kLengthCount; ++length) {
        auto *radio = new QRadioButton(kLengthCaptions[std::size_t(length)], group);
        radio->setObjectName(QStringLiteral("radio_Len%1").arg(length));
        layout->addWidget(radio);
        radios[std::size_t(length)] = radio;
    }
    radios[kQuarterLength]->setChecked(true);
    return group;
}

}  // namespace kq
