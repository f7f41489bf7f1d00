#pragma once

#include "editors/flowchart/flowchart.h"
#include "editors/flowchart/flowchart_check.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace kq {

inline const QString kNoTransferDataMessage = QStringLiteral("プログラムが正しくないため表示できません。");

// One item of a routine's linear sequence: a box (kind, routine, slot), or
// the else or endif of an if block with its condition group.
struct LinearItem {
    QString kind;   // instruction name, "else" or "endif"
    int group = 0;  // the condition group of else and endif
    int routine = 0;
    int slot = kNoSlot;  // kNoSlot for else and endif

    // kind,routine,slot, or else,group, and endif,group,
    QString Text() const;
    bool operator==(const LinearItem &) const = default;
};

// The items of routine r as nested if blocks, without its start and end
// boxes, or the check result that stops it (a back edge gives BackwardJump,
// arrows that form no blocks ProgramWrong). An if whose paths end at two
// different end boxes is a block whose parts both run to their end.
[[nodiscard]] std::variant<QList<LinearItem>, CheckResult> LinearSequence(const Flowchart &flowchart, int routine);

struct LinearForm {
    // "START" .. "END"; empty when the flowchart cannot be linearised.
    QStringList lines;
    // The subroutine message when a called subroutine is what failed.
    std::optional<QString> message;
    // The main routine has an arrow back to a box on the way to it.
    bool backEdge = false;
};

// The program lines of the flowchart, subroutines written out in place.
[[nodiscard]] LinearForm LinearFormOf(const Flowchart &flowchart);

QString SubroutineCheckMessage(int subroutine);

}  // namespace kq
