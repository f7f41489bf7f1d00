// Random programs encoded twice: once through program lines, the linked table
// and the encoder, once by a small reference written straight from the byte
// layout rules (addresses in line order, successors found by recursion over
// the block structure, parameter bytes counted by the parameter counts).
#include "model/colour_packing.h"
#include "model/instruction_table.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <map>

namespace kq {
namespace {

using enum InstructionKind;

struct Node {
    ProgramLine line;
    std::vector<Node> thenBlock;
    std::vector<Node> elseBlock;
    int address = 0;
};

class Generator {
public:
    explicit Generator(quint32 seed) : m_random(seed) {}

    QStringList Program()
    {
        QStringList lines{"START"};
        m_loopOpen = false;
        Block(lines, 0, int(m_random.bounded(14)));
        if (m_loopOpen)
            lines << "9,1,0,0,0,0,0";
        lines << "END";
        return lines;
    }

private:
    int Pick(int low, int high) { return low + int(m_random.bounded(high - low + 1)); }

    void Block(QStringList &lines, int depth, int statements)
    {
        for (int i = 0; i < statements; ++i) {
            const int choice = Pick(0, 9);
            if (choice == 0 && depth < 3) {
                const int v = Pick(0, 9);
                const int g = ConditionGroupOf(v);
                lines << QStringLiteral("8,%1,%2,0,0,0,0").arg(v).arg(v >= 2 && v <= 6 ? Pick(1, 50) : 0);
                const bool loopWasOpen = m_loopOpen;
                Block(lines, depth + 1, Pick(0, 3));
                const int style = Pick(0, 2);  // else line with a branch, empty else, no else line
                if (style < 2)
                    lines << QStringLiteral("20,%1,0,0,0,0,0").arg(g);
                if (style == 0)
                    Block(lines, depth + 1, Pick(0, 3));
                // A loop opened inside the block closes inside it.
                if (m_loopOpen && !loopWasOpen) {
                    lines << "9,1,0,0,0,0,0";
                    m_loopOpen = false;
                }
                lines << QStringLiteral("21,%1,0,0,0,0,0").arg(g);
            } else if (choice == 1) {
                lines << (m_loopOpen ? QStringLiteral("9,1,0,0,0,0,0") : QStringLiteral("9,0,%1,0,0,0,0").arg(Pick(1, 255)));
                m_loopOpen = !m_loopOpen;
            } else {
                lines << Simple();
            }
        }
    }

    QString Simple()
    {
        static const InstructionKind kinds[] = {FullTime, FullConti, LightLed, Sound, Timer, Wait, Dainyuu, Output, Train};
        const InstructionKind kind = kinds[Pick(0, int(std::size(kinds)) - 1)];
        const int v = Pick(0, VariantCountOf(kind) - 1);
        int p[5] = {};
        for (int i = 0; i < ParameterCountOf(kind, v, kCurrentGeneration); ++i)
            p[i] = Pick(0, 255);
        if (kind == FullTime && v > 0)
            p[3] = 4;
        return QStringLiteral("%1,%2,%3,%4,%5,%6,%7").arg(int(kind)).arg(v).arg(p[0]).arg(p[1]).arg(p[2]).arg(p[3]).arg(p[4]);
    }

    QRandomGenerator m_random;
    bool m_loopOpen = false;
};

std::vector<Node> Parse(const std::vector<ProgramLine> &lines, std::size_t &i)
{
    std::vector<Node> block;
    while (i < lines.size()) {
        const ProgramLine &line = lines[i];
        if (line.kind == Else || line.kind == Endif)
            return block;
        ++i;
        Node node{line, {}, {}, 0};
        if (line.kind == If) {
            node.thenBlock = Parse(lines, i);
            if (i < lines.size() && lines[i].kind == Else) {
                ++i;
                node.elseBlock = Parse(lines, i);
            }
            ++i;  // endif
        }
        block.push_back(std::move(node));
    }
    return block;
}

int Size(const ProgramLine &line, int generation)
{
    if (line.kind == FullTime)
        return 5;
    const int parameters = ParameterCountOf(line.kind, line.params.variant, generation);
    return 1 + parameters + 1 + (line.kind == If ? 1 : 0);
}

void Place(std::vector<Node> &block, int &address, int generation)
{
    for (Node &node : block) {
        node.address = address;
        address += Size(node.line, generation);
        Place(node.thenBlock, address, generation);
        Place(node.elseBlock, address, generation);
    }
}

void Emit(const std::vector<Node> &block, int successor, int generation, std::map<int, ByteList> &memory)
{
    for (std::size_t i = 0; i < block.size(); ++i) {
        const Node &node = block[i];
        const int after = i + 1 < block.size() ? block[i + 1].address : successor;
        const auto &p = node.line.params.p;
        const int v = node.line.params.variant;
        ByteList bytes;
        if (node.line.kind == FullTime && v == 0) {
            for (int b : PackColour4(p[0], p[1], p[2], p[3]))
                bytes << b;
        } else if (node.line.kind == FullTime) {
            bytes << 130 + v;
            for (int b : PackColour3(p[0], p[1], p[2], p[3]))
                bytes << b;
        } else {
            bytes << *CommandCodeOf(node.line.kind, node.line.params, generation);
            for (int k = 0; k < ParameterCountOf(node.line.kind, v, generation); ++k)
                bytes << p[std::size_t(k)];
        }
        if (node.line.kind == If) {
            bytes << (node.thenBlock.empty() ? after : node.thenBlock.front().address);
            bytes << (node.elseBlock.empty() ? after : node.elseBlock.front().address);
        } else {
            bytes << after;
        }
        memory[node.address] = bytes;
        Emit(node.thenBlock, after, generation, memory);
        Emit(node.elseBlock, after, generation, memory);
    }
}

ByteList Reference(const std::vector<ProgramLine> &lines, int generation)
{
    std::size_t i = 0;
    std::vector<Node> top = Parse(lines, i);
    int address = 2;
    Place(top, address, generation);
    const int endAddress = address;
    std::map<int, ByteList> memory;
    memory[0] = {230, top.empty() ? endAddress : top.front().address};
    Emit(top, endAddress, generation, memory);
    memory[endAddress] = {231};
    ByteList bytes{240};
    for (const auto &[at, instruction] : memory) {
        EXPECT_EQ(at, bytes.size() - 1);
        bytes << instruction;
    }
    bytes << 250;
    return bytes;
}

TEST(ReferenceEncoding, RandomProgramsAgreeInBothGenerations)
{
    Generator generator(20261209);
    int encoded = 0;
    for (int round = 0; round < 600; ++round) {
        const QStringList text = generator.Program();
        const ParsedProgramLines parsed = ParseProgramLines(text);
        ASSERT_FALSE(parsed.error.has_value()) << text.join('\n').toStdString() << "\n"
                                               << parsed.error->reason.toStdString();
        for (int generation : {kCurrentGeneration, kOlderGeneration}) {
            const ByteList expected = Reference(parsed.instructions, generation);
            const int memoryCount = int(expected.size()) - 2;
            ASSERT_EQ(ProgramLinesMemoryCount(parsed.instructions, generation), memoryCount);
            const auto table = BuildInstructionTable(parsed.instructions);
            if (!table) {
                EXPECT_GT(memoryCount, kMemoryLimit);
                continue;
            }
            ++encoded;
            EXPECT_EQ(MemoryTotal(*table, generation), memoryCount);
            ASSERT_EQ(FrameTransfer(EncodeProgram(RoutinesOf(*table), generation)), expected)
                << "generation " << generation << "\n" << text.join('\n').toStdString();
        }
    }
    EXPECT_GT(encoded, 800);
}

}  // namespace
}  // namespace kq
