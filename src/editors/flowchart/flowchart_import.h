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

// Program lines ("START" .. "END" among the first 61 lines) as a flowchart:
// one box per instruction in the main routine, columns by if depth, rows
// down the page, and the arrows of the if blocks.
[[nodiscard]] ImportResult ImportProgramLines(const QStringList &lines, int generation);

}  // namespace kq
