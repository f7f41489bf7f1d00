#pragma once

#include <QColor>
#include <QString>

#include <optional>

// Colours in panel records: one of sixteen names ("clWhite") when the colour
// is exactly that name's value, otherwise "$00BBGGRR".
namespace kq::panel {

QString ColourText(const QColor &colour);
// Both forms; nullopt for anything else.
std::optional<QColor> ParseColourText(const QString &text);

}  // namespace kq::panel
