#include "editors/flowchart/flowchart_import.h"

#include "editors/flowchart/flowchart.h"
#include "editors/flowchart/flowchart_blocks.h"
#include "model/encoder.h"
#include "model/program_file.h"
#include "model/program_lines.h"

namespace kq {

namespace {

constexpr int kStartX = 50;
constexpr int kStartY = 10;

enum class TokenType { Box, If, Else, Endif };

struct Token {
    TokenType type = TokenType::Box;
    int slot = kNoSlot;
};

void AddPred(FlowNode &node, int pred)
{
    if (!node.preds.contains(pred))
        node.preds << pred;
}

// The tokens from `at` on up to the else or endif that closes their part, as
// blocks. The lines were checked, so every if has its endif.
BlockSequence ReadPart(const QList<Token> &tokens, qsizetype &at)
{
    BlockSequence part;
    while (at < tokens.size() && (tokens[at].type == TokenType::Box || tokens[at].type == TokenType::If)) {
        BlockBox box {tokens[at].slot, {}, {}};
        if (tokens[at++].type == TokenType::If) {
            box.thenPart = ReadPart(tokens, at);
            if (at < tokens.size() && tokens[at].type == TokenType::Else)
                box.elsePart = ReadPart(tokens, ++at);
            if (at < tokens.size() && tokens[at].type == TokenType::Endif)
                ++at;
        }
        part.push_back(std::move(box));
    }
    return part;
}

// An arrow still to be drawn from the end of a part to what follows it.
struct Exit {
    int slot;
    Connector connector;
};

// Draws the arrows of the blocks; gives the arrows that leave their end.
QList<Exit> Link(RoutineNodes &nodes, const BlockSequence &blocks, QList<Exit> exits)
{
    for (const BlockBox &box : blocks) {
        for (const Exit &exit : exits) {
            FlowNode &from = nodes[exit.slot];
            (exit.connector == Connector::Next ? from.next : from.branch) = box.slot;
            AddPred(nodes[box.slot], exit.slot);
        }
        const QString &kind = nodes[box.slot].kind;
        if (kind == QLatin1String("end")) {
            exits.clear();
        } else if (kind != QLatin1String("if")) {
            exits = {{box.slot, Connector::Next}};
        } else {
            const QList<Exit> thenExits = Link(nodes, box.thenPart, {{box.slot, Connector::Next}});
            const QList<Exit> elseExits = Link(nodes, box.elsePart, {{box.slot, Connector::Branch}});
            // The branch arrow of an empty else part comes first in the
            // joining box's preds.
            exits = box.elsePart.empty() ? elseExits + thenExits : thenExits + elseExits;
        }
    }
    return exits;
}

}  // namespace

ImportResult ImportProgramLines(const QStringList &lines, int generation)
{
    // Else and endif lines take no slot, so END may stand further down than
    // the 61st line of a program that fits; the slot count and the memory
    // limit below refuse what does not.
    const qsizetype end = lines.indexOf(kEndLine);
    const qsizetype start = end < 0 ? -1 : lines.lastIndexOf(kStartLine, end);
    if (start < 0)
        return {std::nullopt, kReadFailedMessage};
    QStringList range = lines.mid(start, end - start + 1);
    range.removeAll(QString());
    // A file that went through no step's check is taken apart like any
    // other program lines, and refused when it is damaged.
    const ParsedProgramLines parsed = ParseProgramLines(range);
    if (parsed.error)
        return {std::nullopt, kReadFailedMessage};

    RoutineNodes nodes {};
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
    for (const ProgramLine &line : parsed.instructions) {
        if (!fits)
            break;
        if (IsStructureMarker(line.kind)) {
            fits = bytes <= kMemoryLimit && used < kRoutineSlots;
            tokens << Token {line.kind == InstructionKind::Else ? TokenType::Else : TokenType::Endif};
            continue;
        }
        fits = addBox(line.kind, line.params, line.kind == InstructionKind::If ? TokenType::If : TokenType::Box);
    }
    // The end box may not take the program past the limit either.
    if (!fits || !addBox(InstructionKind::End, {}, TokenType::Box) || bytes > kMemoryLimit)
        return {std::nullopt, kImportTooLargeMessage};

    qsizetype at = 0;
    const BlockSequence blocks = ReadPart(tokens, at);
    Link(nodes, blocks, {});
    LayOutBlocks(nodes, blocks, kStartX, kStartY);
    QStringList section {kSubroutineMarker, QString(), QString(), QString(), QString()};
    for (const FlowNode &node : nodes)
        section << NodeLine(node);
    const FlowNode empty;
    for (int n = kRoutineSlots; n < kRoutineCount * kRoutineSlots; ++n)
        section << NodeLine(empty);
    return {section, QString()};
}

}  // namespace kq
