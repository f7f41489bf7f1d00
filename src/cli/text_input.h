#pragma once

#include "editors/text/keyword_file.h"
#include "model/program_file.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the commands need of text-step files: the keyword file (the installed
// default, or the one --keywords names), and the program lines of a
// "WORDDATA" section, worked out from its text as the text step does.
namespace kq::cli {

struct KeywordsResult {
    std::optional<KeywordFile> keywords;
    int exitCode = 0;  // when keywords is empty; the message is already printed
};

// path empty: the default keyword file beside the tool.
KeywordsResult LoadKeywords(const QString &path);

struct TextLinesResult {
    std::optional<QStringList> lines;  // "START" .. "END"
    int exitCode = 0;
};

// The section's text checked and translated; a failed check prints its
// message and exits 1.
TextLinesResult TextProgramLines(const QStringList &section, const KeywordFile &keywords);

}  // namespace kq::cli
