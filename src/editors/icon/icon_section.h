#pragma once

#include "editors/icon/icon_row.h"

#include <QStringList>

// The icon step's section of a program file: one line per slot, "-1" for an
// empty slot, else the icon and its settings separated by commas.
namespace kq {

QStringList IconSectionLines(const IconRow &row, int generation);

// Clears row and fills it slot by slot from the section. False at the first
// line that is no slot (an unknown icon, a missing or non-numeric setting, a
// setting out of its range) or when fewer than 24 lines are there: the slots
// read before stay. Lines after the 24th are not the row's.
[[nodiscard]] bool ReadIconSection(const QStringList &section, int generation, IconRow &row);

}  // namespace kq
