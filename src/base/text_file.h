#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

// Every file of both programs is a list of lines in the Japanese ANSI code
// page (CP932) with CR LF line ends, read and written as Windows does. The
// functions here are the only place that reads or writes that form.
namespace kq {

// Program, melody and keyword files are a few kilobytes; anything larger is
// not one of them and is refused before it is read whole.
inline constexpr qint64 kTextFileSizeLimit = 16 * 1024 * 1024;

struct TextFileContent {
    QStringList lines;
    // The bytes were not valid CP932 (for example a UTF-8 file, or a file cut
    // inside a double-byte character): the lines hold replacement characters
    // and callers that need exact text refuse them.
    bool hasDecodingErrors = false;
};

// Lines ended by CR LF, LF or a lone CR; a final terminator does not add an
// empty line.
TextFileContent DecodeTextLines(QByteArrayView bytes);

// DecodeTextLines of the file's bytes. nullopt when the file cannot be opened
// or read, or holds more than sizeLimit bytes (a device or pipe is read only
// up to one byte past the limit).
std::optional<TextFileContent> ReadTextLines(const QString &path, qint64 sizeLimit = kTextFileSizeLimit);

// The CP932 bytes of lines as WriteTextLines writes them, or nullopt with the
// first character the code page cannot hold. Characters that Linux input
// methods type under other code points than Windows (WAVE DASH, MINUS SIGN,
// DOUBLE VERTICAL LINE, EM DASH, the cent, pound and not signs) are written
// as their CP932 counterparts.
struct [[nodiscard]] EncodedLines : std::optional<QByteArray> {
    QString unencodable;  // one character: a surrogate pair is two units
};

EncodedLines EncodeTextLines(const QStringList &lines);

struct [[nodiscard]] TextWriteResult {
    bool written = false;
    // The first character CP932 cannot hold, when that kept the file from
    // being written; empty when the file itself could not be written.
    QString unencodable;

    explicit operator bool() const { return written; }
};

// Writes EncodeTextLines(lines) atomically: either the whole new file
// replaces the old one or the old one stays untouched.
TextWriteResult WriteTextLines(const QString &path, const QStringList &lines);

}  // namespace kq
