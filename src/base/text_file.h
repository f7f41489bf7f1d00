#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Every file of both programs is a list of lines in the Japanese ANSI code
// page (CP932) with CR LF line ends. These two functions are the only place
// that reads or writes that form.
namespace kq {

struct TextFileContent {
    QStringList lines;
    // The bytes were not valid CP932 (for example a UTF-8 file): the lines
    // hold replacement characters and callers that need exact text refuse them.
    bool hasDecodingErrors = false;
};

// Lines ended by CR LF, LF or a lone CR; a final terminator does not add an
// empty line. nullopt when the file cannot be opened or read.
std::optional<TextFileContent> ReadTextLines(const QString &path);

// Writes every line followed by CR LF, atomically: either the whole new file
// replaces the old one or the old one stays untouched. Fails (returns false,
// writes nothing) when a character cannot be held by CP932.
bool WriteTextLines(const QString &path, const QStringList &lines);

// The CP932 bytes of lines as WriteTextLines would write them; nullopt when a
// character cannot be encoded.
std::optional<QByteArray> EncodeTextLines(const QStringList &lines);

}  // namespace kq
