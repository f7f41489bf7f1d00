#include "editors/flowchart/flowchart_import.h"

#include "editors/flowchart/flowchart.h"
#include "model/encoder.h"
#include "model/program_file.h"
#include "model/program_lines.h"

#include <array>

namespace kq {

namespace {

// The first 60 slots and the END line.
constexpr int kSearchedLines = kRoutineSlots + 1;
constexpr int kColumnStep = 150;
constexpr int kRowStep = 80;

enum class TokenType { Box, If, Else, Endif };

struct Token {
    TokenType type = TokenType::Box;
    int slot = kNoSlot;

    bool HasId() const { return type == TokenType::Box || type == TokenType::If; }
};

using Nodes = std::array<FlowNode, kRoutineSlots>;

void AddPred(FlowNode &node, int pred)
{
    if (!node.preds.contains(pred))
        node.preds << pred;
}

// Every if block gets an else line: an if without one would keep no branch.
QList<ProgramLine> WithElseLines(const std::vector<ProgramLine> &instructions)
{
    QList<ProgramLine> lines;
    QList<bool> hasElse;
    for (const ProgramLine &line : instructions) {
        if (line.kind == InstructionKind::If)
            hasElse << false;
        else if (line.kind == InstructionKind::Else && !hasElse.isEmpty())
            hasElse.last() = true;
        else if (line.kind == InstructionKind::Endif && !hasElse.isEmpty()) {
            if (!hasElse.takeLast())
                lines << ProgramLine {InstructionKind::Else, line.params};
        }
        lines << line;
    }
    return lines;
}

// The links of the if blocks, level by level: each pass links the boxes at
// the outermost level of what the previous pass deferred.
void Link(Nodes &nodes, const QList<Token> &tokens)
{
    QList<int> pending;  // P
    QList<int> joins;    // J
    QList<Token> pass = tokens;
    auto idOf = [](const Token &token) { return token.HasId() ? token.slot : kNoSlot; };
    while (!pass.isEmpty()) {
        int depth = 0;
        int elseCount = 1;
        QList<Token> chain;     // S
        QList<Token> deferred;  // D
        for (qsizetype i = 0; i < pass.size(); ++i) {
            const Token &t = pass[i];
            const Token *after = i + 1 < pass.size() ? &pass[i + 1] : nullptr;
            switch (t.type) {
            case TokenType::If:
                if (depth == 0) {
                    chain << t;
                    pending << t.slot;
                } else {
                    deferred << t;
                }
                break;
            case TokenType::Else:
                if (depth == 0 && !pending.isEmpty()) {
                    const int ifSlot = pending.last();
                    if (after && after->type != TokenType::Endif && after->HasId()) {
                        AddPred(nodes[after->slot], ifSlot);
                        nodes[ifSlot].branch = after->slot;
                    } else if (after) {
                        int target = kNoSlot;
                        for (qsizetype j = i + 2; j < pass.size(); ++j) {
                            if (pass[j].type == TokenType::Else)
                                continue;
                            target = pass[j].type == TokenType::Endif ? (joins.isEmpty() ? kNoSlot : joins.first())
                                                                       : idOf(pass[j]);
                            break;
                        }
                        if (target != kNoSlot) {
                            AddPred(nodes[target], ifSlot);
                            nodes[ifSlot].branch = target;
                        }
                    }
                    pending.removeLast();
                } else if (depth > 0) {
                    deferred << t;
                }
                ++depth;
                break;
            case TokenType::Endif:
                if (depth == 0) {
                    const bool afterElse = i > 0 && pass[i - 1].type == TokenType::Else;
                    if (!chain.isEmpty() && !afterElse && chain.last().HasId() && !joins.isEmpty()) {
                        const int a = chain.last().slot;
                        const int j = joins.takeFirst();
                        AddPred(nodes[j], a);
                        nodes[a].next = j;
                        chain << t;
                    }
                    break;
                }
                deferred << t;
                if (--depth == 0 && after) {
                    if (after->type == TokenType::If)
                        joins << after->slot;
                    else if (after->type == TokenType::Endif && !joins.isEmpty())
                        joins << joins.first();
                    else if (after->type == TokenType::Else)
                        ++elseCount;
                    else
                        for (int n = 0; n < elseCount; ++n)
                            joins << after->slot;
                }
                break;
            case TokenType::Box:
                if (depth == 0)
                    chain << t;
                else
                    deferred << t;
                break;
            }
        }
        for (qsizetype i = 0; i + 1 < chain.size(); ++i) {
            if (!chain[i].HasId() || !chain[i + 1].HasId())
                continue;
            nodes[chain[i].slot].next = chain[i + 1].slot;
            AddPred(nodes[chain[i + 1].slot], chain[i].slot);
        }
        pass = deferred;
    }
}

void Lay(Nodes &nodes, const QList<Token> &tokens)
{
    int x = 50;
    for (const Token &t : tokens) {
        if (t.type == TokenType::Else)
            x += kColumnStep;
        else if (t.type == TokenType::Endif)
            x -= kColumnStep;
        else
            nodes[t.slot].x = std::max(0, x);
    }
    int y = 10;
    QList<int> ifs;
    int maxY = 0;
    int lastBox = 0;
    for (const Token &t : tokens) {
        if (t.HasId()) {
            nodes[t.slot].y = y;
            y += kRowStep;
            lastBox = t.slot;
            if (t.type == TokenType::If)
                ifs << t.slot;
        } else if (t.type == TokenType::Else) {
            if (!ifs.isEmpty())
                y = nodes[ifs.last()].y + kRowStep;
        } else {
            for (int slot = 0; slot <= lastBox; ++slot)
                maxY = std::max(maxY, nodes[slot].y);
            y = maxY + kRowStep;
        }
    }
}

}  // namespace

ImportResult ImportProgramLines(const QStringList &lines, int generation)
{
    const QStringList searched = lines.mid(0, kSearchedLines);
    const qsizetype end = searched.indexOf(kEndLine);
    const qsizetype start = end < 0 ? -1 : searched.lastIndexOf(kStartLine, end);
    if (start < 0) {
        // A program whose END lies further down has more boxes than a routine holds.
        const bool tooLong = !ProgramLinesRange(lines).isEmpty();
        return {std::nullopt, tooLong ? kImportTooLargeMessage : kReadFailedMessage};
    }
    QStringList range = searched.mid(start, end - start + 1);
    range.removeAll(QString());
    // A file that went through no step's check is taken apart like any
    // other program lines, and refused when it is damaged.
    const ParsedProgramLines parsed = ParseProgramLines(range);
    if (parsed.error)
        return {std::nullopt, kReadFailedMessage};

    Nodes nodes {};
    QList<Token> tokens;
    int used = 0;
    int bytes = 0;
    auto addBox = [&](InstructionKind kind, const ParameterList &params, TokenType type) {
        if (bytes > kMemoryLimit || used >= kRoutineSlots)
            return false;
        nodes[used] = FlowNode {used, NameOf(kind), 0, 0, {}, kNoSlot, kNoSlot, params.ToText()};
        bytes += CommandSizeOf(kind, params, generation);
        tokens << Token {type, used++};
        return true;
    };
    bool fits = addBox(InstructionKind::Start, {}, TokenType::Box);
    for (const ProgramLine &line : WithElseLines(parsed.instructions)) {
        if (!fits)
            break;
        if (line.kind == InstructionKind::Else || line.kind == InstructionKind::Endif) {
            fits = bytes <= kMemoryLimit && used < kRoutineSlots;
            tokens << Token {line.kind == InstructionKind::Else ? TokenType::Else : TokenType::Endif};
            continue;
        }
        fits = addBox(line.kind, line.params, line.kind == InstructionKind::If ? TokenType::If : TokenType::Box);
    }
    // The end box may not take the program past the limit either.
    if (!fits || !addBox(InstructionKind::End, {}, TokenType::Box) || bytes > kMemoryLimit)
        return {std::nullopt, kImportTooLargeMessage};

    Lay(nodes, tokens);
    Link(nodes, tokens);
    QStringList section {kSubroutineMarker, QString(), QString(), QString(), QString()};
    for (const FlowNode &node : nodes)
        section << NodeLine(node);
    const FlowNode empty;
    for (int n = kRoutineSlots; n < kRoutineCount * kRoutineSlots; ++n)
        section << NodeLine(empty);
    return {section, QString()};
}

}  // namespace kq
