#include "model/encoder.h"

#include "model/colour_packing.h"
#include "model/instruction_starts.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace kq {
namespace {

using enum InstructionKind;

ParameterList Params(int v, int p1 = 0, int p2 = 0, int p3 = 0, int p4 = 0)
{
    return ParameterList{v, {p1, p2, p3, p4, 0}};
}

InstructionRecord Record(InstructionKind kind, ParameterList params, std::optional<int> next = {},
                         std::optional<int> branch = {})
{
    return {kind, params, next, branch};
}

TEST(EncodeProgram, SmallestProgramAndItsFrame)
{
    Routines routines(kRoutineCount);
    routines[0][0] = Record(Start, {}, 1);
    routines[0][1] = Record(End, {});
    const ByteList bytes = EncodeProgram(routines, kCurrentGeneration);
    EXPECT_EQ(bytes, (ByteList{230, 2, 231}));
    EXPECT_EQ(ProgramSize(routines, kCurrentGeneration), 3);
    EXPECT_EQ(FrameTransfer(bytes), (ByteList{240, 230, 2, 231, 250}));
    EXPECT_EQ(ByteListTexts(FrameTransfer(bytes)),
              (QStringList{"240", "230", "2", "231", "250"}));
}

TEST(EncodeProgram, TimedLampHasNoCodeAndFadeHasThreeColourBytes)
{
    Routines routines(1);
    routines[0][0] = Record(Start, {}, 5);
    routines[0][5] = Record(FullTime, Params(0, 255, 0, 0, 4), 9);
    routines[0][9] = Record(FullTime, Params(1, 255, 255, 255, 4), 12);
    routines[0][12] = Record(End, {});
    EXPECT_EQ(EncodeProgram(routines, kCurrentGeneration),
              (ByteList{230, 2, 126, 0, 1, 0, 7, 131, 127, 255, 228, 12, 231}));
}

// Empty slots take no room; addresses follow slot order, not placement order.
TEST(EncodeProgram, AddressesSkipEmptySlotsAndFollowRoutineOrder)
{
    Routines routines(kRoutineCount);
    routines[0][0] = Record(Start, {}, 7);
    routines[0][7] = Record(Routine, Params(0, 2), 3);
    routines[0][3] = Record(If, Params(0), 4, 40);
    routines[0][4] = Record(Routine, Params(0, 2), 40);
    routines[0][40] = Record(End, {});
    routines[2][0] = Record(Start, {}, 1);
    routines[2][1] = Record(Sound, Params(0), 2);
    routines[2][2] = Record(End, {});

    // routine 0: start 0..1, if 2..4, routine 5..7, routine 8..10, end 11
    EXPECT_EQ(AddressOf(routines, 0, 3, kCurrentGeneration), 2);
    EXPECT_EQ(AddressOf(routines, 0, 7, kCurrentGeneration), 8);
    EXPECT_EQ(AddressOf(routines, 0, 59, kCurrentGeneration), 12);
    EXPECT_EQ(AddressOf(routines, 2, 0, kCurrentGeneration), 12);  // routine 1 is empty
    EXPECT_EQ(AddressOf(routines, 1, 0, kCurrentGeneration), 12);
    EXPECT_EQ(EncodeProgram(routines, kCurrentGeneration),
              (ByteList{230, 8,              // start -> slot 7
                        180, 5, 11,          // if: next slot 4, branch slot 40
                        195, 12, 11,         // slot 4: call routine 2, next end
                        195, 12, 2,          // slot 7: call routine 2, next the if
                        231,                 // main end
                        230, 14, 150, 16,    // subroutine start, beep
                        196}));              // a subroutine's end returns
    EXPECT_EQ(ProgramSize(routines, kCurrentGeneration), 17);

    // Where each instruction begins, as a running program reports it.
    EXPECT_EQ(InstructionStarts(routines, kCurrentGeneration),
              (std::vector<InstructionStart> {
                  {0, 0, 0}, {2, 0, 3}, {5, 0, 4}, {8, 0, 7}, {11, 0, 40}, {12, 2, 0}, {14, 2, 1}, {16, 2, 2}}));
}

TEST(EncodeProgram, ParameterBytesAndBranchesPerGeneration)
{
    Routines routines(1);
    routines[0][0] = Record(Start, {}, 1);
    routines[0][1] = Record(If, Params(2, 50), 2, 3);
    routines[0][2] = Record(Timer, Params(3, 5, 60), 3);
    routines[0][3] = Record(End, {});
    EXPECT_EQ(EncodeProgram(routines, kCurrentGeneration), (ByteList{230, 2, 205, 50, 6, 10, 166, 5, 60, 10, 231}));
    // Older clocks: no threshold byte, other codes, shifted addresses.
    EXPECT_EQ(EncodeProgram(routines, kOlderGeneration), (ByteList{230, 2, 182, 5, 8, 163, 5, 8, 231}));
}

TEST(EncodeProgram, NoNextWritesZero)
{
    Routines routines(1);
    routines[0][0] = Record(Start, {});
    routines[0][1] = Record(If, Params(0), {}, {});
    EXPECT_EQ(EncodeProgram(routines, kCurrentGeneration), (ByteList{230, 0, 180, 0, 0}));
}

// Encoding then decoding every variant gives back its kind, variant,
// parameters and addresses.
TEST(DecodeInstructionAt, InvertsTheEncoderForEveryVariant)
{
    for (int generation : {kCurrentGeneration, kOlderGeneration}) {
        for (InstructionKind kind : kInstructionKinds) {
            if (kind == Start || kind == End || kind == Routine)
                continue;
            for (int v = 0; v < VariantCountOf(kind); ++v) {
                ParameterList params = Params(v);
                const int count = ParameterCountOf(kind, v, generation);
                for (int i = 0; i < count; ++i)
                    params.p[std::size_t(i)] = kind == FullTime ? (i < 3 ? 255 : 4) : 7 + i;
                Routines routines(1);
                routines[0][0] = Record(Start, {}, 1);
                routines[0][1] = InstructionRecord{kind, params, 2, 2};
                routines[0][2] = Record(End, {});
                const ByteList memory = EncodeProgram(routines, generation);
                const auto decoded = DecodeInstructionAt(memory, 2);
                ASSERT_TRUE(decoded.has_value());
                SCOPED_TRACE(NameOf(kind).toStdString() + " v" + std::to_string(v));
                EXPECT_EQ(decoded->kind, kind);
                EXPECT_EQ(decoded->params, params);
                EXPECT_EQ(decoded->size, CommandSizeOf(kind, params, generation));
                EXPECT_EQ(decoded->next, memory.size() - 1);
                EXPECT_EQ(decoded->branch.has_value(), kind == If);
            }
        }
    }
}

TEST(DecodeInstructionAt, CallsStartsEndsAndTheEndByte)
{
    const ByteList memory{230, 2, 195, 6, 5, 231, 230, 8, 196, 250};
    const auto start = DecodeInstructionAt(memory, 0);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->kind, Start);
    EXPECT_EQ(start->next, 2);
    const auto call = DecodeInstructionAt(memory, 2);
    ASSERT_TRUE(call);
    EXPECT_EQ(call->kind, Routine);
    EXPECT_EQ(call->subroutineAddress, 6);
    EXPECT_EQ(call->next, 5);
    const auto ret = DecodeInstructionAt(memory, 8);
    ASSERT_TRUE(ret);
    EXPECT_EQ(ret->kind, End);
    EXPECT_FALSE(ret->next.has_value());
    EXPECT_FALSE(DecodeInstructionAt(memory, 9).has_value());   // 250 ends the program
    EXPECT_FALSE(DecodeInstructionAt(memory, 10).has_value());  // past the end
    EXPECT_FALSE(DecodeInstructionAt(memory, -1).has_value());
    EXPECT_FALSE(DecodeInstructionAt(ByteList{140, 1}, 0).has_value());  // cut short
}

TEST(DecodeInstructionAt, RandomMemoryNeverReadsOutside)
{
    auto *random = QRandomGenerator::global();
    for (int round = 0; round < 2000; ++round) {
        ByteList memory;
        const int size = int(random->bounded(12));
        for (int i = 0; i < size; ++i)
            memory.append(int(random->bounded(256)));
        for (int a = -1; a <= size; ++a) {
            if (const auto d = DecodeInstructionAt(memory, a)) {
                EXPECT_LE(a + d->size, memory.size());
            }
        }
    }
}

}  // namespace
}  // namespace kq
