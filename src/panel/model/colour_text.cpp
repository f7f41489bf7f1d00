#include "panel/model/colour_text.h"

#include <array>

namespace kq::panel {

namespace {

struct NamedColour {
    const char *name;
    QRgb rgb;
};

constexpr std::array<NamedColour, 16> kNamedColours = {{
    {"clBlack", 0x000000},  {"clMaroon", 0x800000}, {"clGreen", 0x008000}, {"clOlive", 0x808000},
    {"clNavy", 0x000080},   {"clPurple", 0x800080}, {"clTeal", 0x008080},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0xFF0000},    {"clLime", 0x00FF00},  {"clYellow", 0xFFFF00},
    {"clBlue", 0x0000FF},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0x00FFFF}, {"clWhite", 0xFFFFFF},
}};

}  // namespace

QString ColourText(const QColor &colour)
{
    const QRgb rgb = colour.rgb() & 0xFFFFFF;
    for (const NamedColour &named : kNamedColours) {
        if (named.rgb == rgb)
            return QString::fromLatin1(named.name);
    }
    const uint bgr = (uint(colour.blue()) << 16) | (uint(colour.green()) << 8) | uint(colour.red());
    return QStringLiteral("$%1").arg(bgr, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<QColor> ParseColourText(const QString &text)
{
    for (const NamedColour &named : kNamedColours) {
        if (text == QLatin1String(named.name))
            return QColor(named.rgb);
    }
    if (text.size() != 9 || !text.startsWith(QLatin1Char('$')))
        return std::nullopt;
    bool ok = false;
    const uint value = text.mid(1).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

}  // namespace kq::panel
