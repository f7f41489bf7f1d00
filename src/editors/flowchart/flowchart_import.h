#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kq {

inline const QString kImportTooLargeMessage =
    QStringLiteral("読み込む命令数が最大数を超えている為開けません。(メモリ数オーバー)");

struct ImportResult {
    // "SUB", four empty names and the 300 node lines, the main routine laid
    // out and linked; nullopt when the lines are refused.
    std::optional<QStringList> section;
    QString message;  // why they were refused
};

// Program lines (the last "START" before the first "END") as a flowchart:
// one box per instruction in the main routine, in line order, linked and
// laid out as the lines' if blocks, so that its linear form gives the lines
// back.
[[nodiscard]] ImportResult ImportProgramLines(const QStringList &lines, int generation);

}  // namespace kq
