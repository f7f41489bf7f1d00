#include "tools/melody/piano_keyboard.h"

#include "tools/melody/staff_layout.h"

#include <QPushButton>

namespace kq {

namespace {
constexpr int kWhiteWidth = 26;
constexpr int kWhiteHeight = 100;
constexpr int kBlackWidth = 16;
constexpr int kBlackHeight = 60;
constexpr int kRestGap = 12;
constexpr int kRestWidth = 48;
constexpr int kRestHeight = 40;
}  // namespace

PianoKeyboard::PianoKeyboard(QWidget *parent) : QWidget(parent)
{
    for (int key = 0; key < kWhiteKeyCount; ++key) {
        QPushButton *white =
            AddKey(QStringLiteral("pw%1").arg(key), QRect(key * kWhiteWidth, 0, kWhiteWidth + 1, kWhiteHeight));
        white->setText(NoteName(SemitoneOf(key, 0) % 12));
        white->setStyleSheet(QStringLiteral("QPushButton { background: white; border: 1px solid #444; color: #333;"
                                            " text-align: bottom; padding-bottom: 4px; font-size: 9px; }"
                                            "QPushButton:pressed { background: #ffe8a0; }"));
    }
    // Black keys go on top of the white ones.
    for (int key = 0; key < kWhiteKeyCount; ++key) {
        if (!HasBlackKeyRight(key))
            continue;
        QPushButton *black = AddKey(QStringLiteral("pB%1").arg(key),
                                    QRect((key + 1) * kWhiteWidth - kBlackWidth / 2, 0, kBlackWidth, kBlackHeight));
        black->setStyleSheet(QStringLiteral("QPushButton { background: #202020; border: 1px solid #000; }"
                                            "QPushButton:pressed { background: #806020; }"));
    }
    QPushButton *rest =
        AddKey(QStringLiteral("pw%1").arg(kRestKey),
               QRect(kWhiteKeyCount * kWhiteWidth + kRestGap, kWhiteHeight - kRestHeight, kRestWidth, kRestHeight));
    rest->setText(QStringLiteral("休符"));
    setFixedSize(kWhiteKeyCount * kWhiteWidth + kRestGap + kRestWidth + 1, kWhiteHeight + 1);
}

KeyChoice PianoKeyboard::ChoiceOf(const QString &keyName)
{
    return {keyName.mid(2).toInt(), !keyName.contains(QLatin1String("pw"))};
}

QPushButton *PianoKeyboard::AddKey(const QString &name, const QRect &geometry)
{
    auto *key = new QPushButton(this);
    key->setObjectName(name);
    key->setGeometry(geometry);
    key->setFocusPolicy(Qt::NoFocus);
    connect(key, &QPushButton::clicked, this, [this, name] { emit KeyClicked(ChoiceOf(name)); });
    return key;
}

}  // namespace kq
