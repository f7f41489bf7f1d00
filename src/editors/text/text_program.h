#pragma once

#include "editors/text/keyword_file.h"
#include "model/program_lines.h"

#include <QString>
#include <QStringList>

#include <optional>

// The text language: one statement per line, keyword(arguments); or an
// if(condition){ line, "}" and "else{" lines; comments from "//". Every
// function takes the editor's lines still ending in their two-character
// terminator (EditorLines gives them that way).
namespace kq {

inline const QString kTooManyStatementsMessage =
    QStringLiteral("プログラムの総命令数が最大値を超えております。\r\nプログラムを確認して下さい。");
inline const QString kSyntaxErrorMessage =
    QStringLiteral("プログラムの構文が間違っております。\r\nプログラムを確認して下さい。");
inline const QString kConditionalErrorMessage =
    QStringLiteral("条件分岐の命令が間違っております。\r\nプログラムを確認して下さい。");
inline const QString kLoopErrorMessage =
    QStringLiteral("繰り返し命令の位置関係が間違っております。\r\nプログラムを確認して下さい。");
inline const QString kVariableXErrorMessage = QStringLiteral(
    "変数xを使った条件分岐命令は事前に変数xに代入する命令が必要です。\r\nプログラムを確認して下さい。");

inline constexpr int kMaxTextLines = 60;

// The editor's text as its lines, each ending in CR LF as the editor hands
// them over.
QStringList EditorLines(const QString &text);
// A section's lines (stored without terminators) as editor lines.
QStringList EditorLinesOfSection(const QStringList &section);

// The non-empty normalised lines: comment and terminator cut off, spaces
// removed, ASCII letters lower-cased.
QStringList NormalisedLines(const QStringList &editorLines);

// A normalised line that is a statement: neither a block's "}" nor "else{".
bool IsStatementLine(const QString &line);

// The first failing check's message; nullopt when the program passes.

struct TextCheckFailure {
    QString message;
    // 1-based, counting every line of the text, blank and comment lines too:
    // the line the check stops at, or the opening line a block or loop left
    // open at the end.
    int line = 0;
    bool operator==(const TextCheckFailure &) const = default;
};

// The first failing check; nullopt when the program passes.
[[nodiscard]] std::optional<TextCheckFailure> FirstFailingCheck(const QStringList &editorLines,
                                                                const KeywordFile &keywords);
// The first failing check's message.
[[nodiscard]] std::optional<QString> CheckTextProgram(const QStringList &editorLines, const KeywordFile &keywords);

// "START", the program lines, "END"; nullopt for a statement that does not
// parse (a program that passed the checks always translates).
[[nodiscard]] std::optional<QStringList> TranslateText(const QStringList &editorLines, const KeywordFile &keywords);

}  // namespace kq
