#pragma once

#include "editors/icon/icon_row.h"
#include "model/encoder.h"

#include <QString>
#include <QStringList>

#include <map>
#include <optional>

// What the icon row means as a program: the repeat check, the program lines,
// the bytes the clock receives, the memory count, the report entries, and
// the way back from another step's program lines.
namespace kq {

inline const QString kIconLoopMessage =
    QStringLiteral("繰り返し命令の位置関係が間違っております。\r\nプログラムを確認して下さい。");
inline const QString kIconForeignInstructionMessage =
    QStringLiteral("このファイルはアイコンステップで使用する命令以外の命令が含まれております。");
inline const QString kIconForeignFileMessage =
    QStringLiteral("このファイルは他ステップで作成されています。\r\nファイルを作成したステップで開いて下さい。");

// Repeat starts and ends alternate, starting with a start and ending closed.
[[nodiscard]] bool CheckIconLoops(const IconRow &row);

// "START", one line per occupied slot in slot order, "END".
QStringList IconProgramLines(const IconRow &row, int generation);

// 230 and 2, each icon's bytes followed by the running address, 231 and a
// closing 0; unframed.
ByteList EncodeIconRow(const IconRow &row, int generation);

// The row slot of each icon by the address where its instruction begins in
// EncodeIconRow's bytes; start and end belong to no slot.
std::map<int, int> IconSlotsByAddress(const IconRow &row, int generation);

// The icons' sizes, start and end not counted.
int IconMemoryCount(const IconRow &row, int generation);

// One report entry per occupied slot: "icon,description".
QStringList IconReportEntries(const IconRow &row);

struct IconLinesResult {
    std::optional<IconRow> row;
    QString refusal;  // when row is empty
};

// The row for another step's program lines ("START" .. "END"), or the icon
// step's refusal when a line is no icon's instruction or there are more
// instructions than slots.
IconLinesResult LinesToIcons(const QStringList &programLines, int generation);

}  // namespace kq
