#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Small text routines every part of both programs uses to take the
// comma/dash/slash separated records apart. Positions count from 1.
namespace kq {

inline const QString kCannotConvertMessage = QStringLiteral("変換できません");

// The n-th field of text split at separator; empty when there are fewer
// fields than n (and for n < 1).
QString FieldOf(QStringView text, int n, QChar separator);

// Occurrences of separator plus one; 0 for the empty text.
int FieldCount(QStringView text, QChar separator);

int CommaCount(QStringView text);

// Removes half-width spaces only; full-width spaces and tabs stay.
QString RemoveSpaces(QStringView text);

// Left to right, without overlaps; an empty find leaves the text as it is.
QString ReplaceAll(QStringView text, QStringView find, QStringView replacement);

// Signed 32-bit integer in the usual syntax: decimal digits with an optional
// sign, or unsigned hexadecimal written with a leading "$", "x" or "0x".
// "-0" is never an integer.
std::optional<int> IntegerValueOf(QStringView text);
bool IsIntegerText(QStringView text);

// Value of hexadecimal digits; nullopt where the caller shows
// kCannotConvertMessage (empty text, a non-digit, more than 32 bits).
std::optional<quint32> HexToInt(QStringView text);

// width bytes of value as binary digits, most significant first, in groups of
// four separated by a half-width space ("1111 1010" for 250, 1).
QString ByteToBits(quint32 value, int width);

// "1" counts as a one bit, every other character as zero.
quint32 BitsToInt(QStringView bits);

// Prepares one stored line of program text. The text editor hands each line
// over still ending in its two-character terminator (CR LF): a comment from
// the first "//" goes together with that terminator; without a comment the
// last two characters are dropped. Then half-width spaces are removed and
// ASCII letters lower-cased.
QString CleanTextLine(QStringView line);

// For a "-" separated list of comma records: whether some record's third
// field equals value.
bool HasItemWithThirdField(QStringView list, QStringView value);

}  // namespace kq
