#pragma once

#include <QString>

namespace kq::assets {

// The text language's help pages under "HTML/Word/": the start page
// "index.html", listing every statement with its keyword, arguments, ranges,
// memory use and an example, and one page per group of statements. Built
// from the default keyword file and the instruction catalogue, so the pages
// agree with what the studio accepts. The pages are plain ASCII (other
// characters as references): the settings window rewrites the start page
// line by line as a CP932 text file. Returns an error text, empty on success.
QString WriteWordHelpPages(const QString &keywordFile, const QString &folder);

}  // namespace kq::assets
