#pragma once

#include "base/paths.h"
#include "editors/text/keyword_file.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Changing the keywords: a per-user copy of the keyword file built from the
// default one, and a per-user copy of the help start page that uses the new
// keywords and still links to the installed pages.
namespace kq {

inline const QString kKeywordSettingsInvalidMessage = QStringLiteral("設定項目が空白かカンマが含まれて下ります。");
// %1 and %2 name entry fields as FieldName does.
inline const QString kKeywordUnmatchableMessage = QStringLiteral(
    "%1のキーワードに空白や「(」「)」「;」「,」「//」は使えません。\r\n別のキーワードを設定して下さい。");
inline const QString kKeywordLikeConditionalMessage = QStringLiteral(
    "%1のキーワードに「if」や「else」が含まれていると条件分岐と区別できません。\r\n別のキーワードを設定して下さい。");
inline const QString kKeywordTwiceMessage =
    QStringLiteral("%1と%2のキーワードが同じです。\r\n別のキーワードを設定して下さい。");
inline const QString kKeywordTakenMessage =
    QStringLiteral("%1のキーワードは他の命令で使われております。\r\n別のキーワードを設定して下さい。");
inline const QString kUserHelpPageName = QStringLiteral("wordindex.html");
inline const QString kInstalledHelpPage = QStringLiteral("HTML\\Word\\index.html");

// One entry per slot (index slot - 1); the entry of slot 45 is not used.
using KeywordEntries = std::array<QString, kKeywordSlots>;

// A slot's entry field as the settings window lays it out.
struct KeywordSlotField {
    int slot;
    const char16_t *group;
    const char16_t *label;
};
// The visible fields in window order, groups together.
const std::array<KeywordSlotField, 45> &KeywordSlotFields();
// The slots whose field exists but is never shown.
inline constexpr std::array kHiddenKeywordSlots = {18, 19, 23, 24};
// A visible field as messages name it: its group and its label.
QString FieldName(const KeywordSlotField &field);

KeywordEntries EntriesOf(const KeywordFile &file);
// None empty or holding a comma (slot 45 aside).
bool EntriesValid(const KeywordEntries &entries);

// Why valid entries cannot be applied, naming the field to change: a keyword
// no statement could ever be written with, one that every check would take
// for a conditional, or two statements with one keyword.
struct KeywordRefusal {
    int slot = 0;
    QString message;
    bool operator==(const KeywordRefusal &) const = default;
};
[[nodiscard]] std::optional<KeywordRefusal> RefusalOf(const KeywordEntries &entries);

// The default file's lines with each line's keyword replaced by its entry
// ("if" stays).
QStringList KeywordFileWithEntries(const QStringList &defaultLines, const KeywordEntries &entries);
// The help page's lines: the first default keyword found on a line renamed
// throughout the line (written as HTML text), and links led to the installed
// pages.
QStringList HelpPageWithEntries(const QStringList &pageLines, const KeywordEntries &entries,
                                const QString &programFolder);

struct KeywordApplyResult {
    enum class Status { Applied, Invalid, Refused, ReadFailed, WriteFailed };
    Status status = Status::Applied;
    std::optional<KeywordRefusal> refusal;  // for Refused
};

// Validates, then writes "KQ27.dat" and "wordindex.html" in the temporary
// folder. Nothing is written unless both sources could be read.
[[nodiscard]] KeywordApplyResult ApplyKeywordEntries(const Paths &paths, const KeywordEntries &entries);

}  // namespace kq
