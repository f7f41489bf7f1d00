#pragma once

#include "model/catalogue.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

// The rules behind the parameter dialog and panel, without a widget: which
// variants a kind offers, which value rows a variant shows, how a row's
// stored position reads on screen, which typed texts a row accepts, and the
// parameter list that OK builds.
namespace kq {

inline constexpr int kValueRows = 4;

// How the stored position of a row reads in its edit.
enum class RowFactor {
    One,
    Quarter,
    Tenth
};

struct ValueRow {
    // A used row that is not shown still stores its default position.
    bool shown = false;
    QString caption;
    QString unit;
    int minimum = 0;
    int maximum = 0;
    int defaultPosition = 0;
    RowFactor factor = RowFactor::One;
    // Typed values below the minimum are refused; otherwise the track bar
    // takes them as its minimum.
    bool refusesBelowMinimum = false;
    bool operator==(const ValueRow &) const = default;
};

// Rows 0..3 of a variant; nullopt for a row the variant does not use.
using RowSetup = std::array<std::optional<ValueRow>, kValueRows>;

enum class ControlsMode {
    Dialog,
    Panel
};

// The labels of Command_Kind_Combo in variant order. The panel words three
// of them differently from the dialog.
QStringList VariantLabelsOf(InstructionKind kind, int generation, ControlsMode mode);

RowSetup RowsOf(InstructionKind kind, int variant, int generation);

// The edit's text for a position: 0.25, 1.5, 2.5.
QString ShownText(const ValueRow &row, int position);

// The position a typed text gives, clamped into the row's range as the track
// bar holds it; nullopt when the row refuses the text.
[[nodiscard]] std::optional<int> CheckedPosition(const ValueRow &row, QStringView text);

// Palette number of a swatch colour for full_conti: 0..5 for red..light
// blue, 6 for anything else.
int PaletteNumberOfColour(const Rgb &colour);

// OK: the variant, then for full_conti variant 0 the swatch's palette
// number, else the first ParameterCountOf positions; the rest "0".
ParameterList BuildParameterList(InstructionKind kind, int variant, int generation,
                                 const std::array<int, kValueRows> &positions, const Rgb &swatch);

// Where the dialog goes for a drop at dropPoint: at the point's x, or a
// dialog width further left when it would not fit inside the visible sheet;
// 40 pixels below the point, or up against the visible sheet's bottom when it
// would not fit. All in global coordinates.
QPoint DialogPlacement(QPoint dropPoint, QSize dialogSize, QRect visibleSheet);

}  // namespace kq
