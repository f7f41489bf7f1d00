#pragma once

#include "services/window_kind.h"

#include <QString>

namespace kq {

// The studio window a file given at start (a double-click in the file
// manager) opens in, read from its content as the windows read it: the step
// its section names (DDDATA, ROUTINE, WORDDATA), the melody editor for a
// melody file, else the flowchart editor, which imports another step's "OK"
// file and refuses in its own words what no window can open.
WindowKind FileWindowKind(const QString &path);

}  // namespace kq
