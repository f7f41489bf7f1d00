#pragma once

#include "editors/flowchart/flowchart.h"

#include <QString>

#include <optional>

namespace kq {

// The outcome of checking a routine; the value is the number the result
// texts carry ("0", "-1", ...).
enum class CheckResult : int {
    Correct = 0,
    NotLinked = -1,
    NoStart = -2,
    RepeatOrder = -3,
    ProgramWrong = -4,
    BackwardJump = -5,
    XBeforeAssigned = -6,
};

QString CheckResultText(CheckResult result);
// The warning shown for a failed check; empty for Correct.
QString CheckMessageOf(CheckResult result);

struct RoutineCheck {
    CheckResult result = CheckResult::Correct;
    // An arrow leads back to a box on the way to its source.
    bool backEdge = false;
    // Subroutine numbers of the routine boxes met, in walking order.
    QList<int> calls;
};

// Walks one routine from its start box along the arrows.
[[nodiscard]] RoutineCheck CheckRoutine(const Flowchart &flowchart, int routine);

struct ProgramCheck {
    CheckResult result = CheckResult::Correct;
    // The flag of the last routine checked.
    bool backEdge = false;
};

// The main routine, then every subroutine once per routine box that calls
// it; stops at the first routine that fails.
[[nodiscard]] ProgramCheck CheckProgram(const Flowchart &flowchart);

// Whether target lies on a way back from `from` along the arrows (the
// preds), `from` itself included.
[[nodiscard]] bool IsAncestor(const Flowchart &flowchart, int routine, int from, int target);

}  // namespace kq
