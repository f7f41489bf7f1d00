#pragma once

#include "editors/text/keyword_file.h"
#include "model/program_lines.h"

#include <QString>

#include <optional>
#include <vector>

// Program lines of any step written as text-language statements, with the
// keywords of the file as written there.
namespace kq {

// One line per statement, each followed by a line break; nullopt when the
// keyword file has no line for an instruction.
[[nodiscard]] std::optional<QString> LinesToText(const std::vector<ProgramLine> &lines, const KeywordFile &keywords,
                                                 int generation);

}  // namespace kq
