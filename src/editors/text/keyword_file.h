#pragma once

#include "base/paths.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The text language's keywords: one line per keyword slot, five fields
// (argument group, a note the program never reads, the keyword, the
// instruction code, the listed values separated by "-").
namespace kq {

inline constexpr int kKeywordSlots = 50;
inline constexpr int kKeywordFields = 5;
inline constexpr int kIfSlot = 45;

inline const QString kKeywordFileName = QStringLiteral("KQ27.dat");
inline const QString kDefaultKeywordFile = QStringLiteral("Data\\KQ27.dat");
inline const QString kKeywordReadErrorMessage = QStringLiteral("ファイル読み込みエラー");

struct KeywordLine {
    int group = 0;
    QString note;
    QString keyword;  // as written in the file
    int code = 0;
    QString allowedValues;
    bool operator==(const KeywordLine &) const = default;

    QString ToText() const;
};

struct KeywordFile {
    std::array<KeywordLine, kKeywordSlots> lines;
    bool operator==(const KeywordFile &) const = default;

    const KeywordLine &Line(int slot) const { return lines[std::size_t(slot - 1)]; }
    // Lower-cased, as normalised program text is compared with it.
    QString KeywordOf(int slot) const { return Line(slot).keyword.toLower(); }
    QStringList AllowedValuesOf(int slot) const;
    // The first slot whose lower-cased keyword equals the normalised word.
    std::optional<int> SlotOfKeyword(QStringView word) const;
    QStringList ToLines() const;
};

// nullopt for fewer than 50 lines, a line without exactly five fields, a
// group or code that is not a number, or an empty keyword. Lines after the
// 50th are ignored.
[[nodiscard]] std::optional<KeywordFile> ParseKeywordFile(const QStringList &lines);
[[nodiscard]] std::optional<KeywordFile> ReadKeywordFile(const QString &path);

QString DefaultKeywordFilePath(const Paths &paths);
QString UserKeywordFilePath(const Paths &paths);
// The per-user copy when it exists, else the default.
QString KeywordFilePath(const Paths &paths);

}  // namespace kq
