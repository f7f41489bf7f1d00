#pragma once

#include "editors/flowchart/flow_node.h"
#include "model/catalogue.h"

#include <QString>
#include <QStringList>

#include <optional>

// What a box on the sheet shows besides its figure: the caption and the
// colour bars of the lamp instructions.
namespace kq {

// The figure file below the program folder: the kind's picture in the colour
// or the black-on-white set; a loop's end has its own.
QString FigureFileOf(const FlowNode &node, bool colourMode);
// The catalogue caption; a lamp lit with no colour reads "消灯", a subroutine
// call names its subroutine. Empty for start and end. subroutineNames holds
// the names of subroutines 1..4.
QString BoxCaptionOf(const FlowNode &node, const QStringList &subroutineNames, int generation);
// The colour of the two bars, or nullopt for a box without them.
std::optional<Rgb> BarColourOf(const FlowNode &node);

}  // namespace kq
