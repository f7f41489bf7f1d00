#pragma once

#include "editors/text/keyword_file.h"
#include "model/report_fields.h"

#include <QString>
#include <QStringList>

#include <optional>

// The text step's program file: "OK" and the translation (or "NG"), the
// report lines, "WORDDATA" and the editor's lines as typed.
namespace kq {

struct TextFileImage {
    QStringList lines;
    // The first failing check's message, for a program saved as "NG".
    std::optional<QString> checkMessage;
};

TextFileImage TextProgramFileLines(const QString &editorText, const ReportFields &report, const KeywordFile &keywords);

// The editor text a "WORDDATA" section stands for: every line followed by a
// line break.
QString TextOfSection(const QStringList &section);

}  // namespace kq
