#pragma once

#include <QStringList>

#include <optional>

namespace kq {

// The clock's memory dump (one hexadecimal byte per line, leading lines
// before the first "E6" ignored) as a flowchart section ("SUB", four empty
// names, 300 node lines): one box per instruction, the address bytes as
// arrows, each called subroutine on a sheet of its own. nullopt when the
// walk cannot finish: no "E6", a dump that ends early, a line that is not a
// hexadecimal byte, more than 129 instructions, or more routines or boxes
// than a flowchart holds.
[[nodiscard]] std::optional<QStringList> ReadBackSection(const QStringList &dump);

}  // namespace kq
