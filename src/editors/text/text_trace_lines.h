#pragma once

#include "editors/text/keyword_file.h"

#include <QStringList>

#include <map>

namespace kq {

// The editor line (0-based) of each statement by the address where its
// instruction begins in the text's bytes, so a running program's addresses
// lead back to the lines; start and end belong to no line. Empty for a text
// that does not translate.
std::map<int, int> TextLinesByAddress(const QStringList &editorLines, const KeywordFile &keywords, int generation);

}  // namespace kq
