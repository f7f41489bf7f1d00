#include "model/instruction_table.h"

#include <gtest/gtest.h>

namespace kq {
namespace {

std::vector<ProgramLine> Lines(const QStringList &texts)
{
    const ParsedProgramLines parsed = ParseProgramLines(QStringList{"START"} + texts + QStringList{"END"});
    EXPECT_FALSE(parsed.error.has_value()) << (parsed.error ? parsed.error->reason.toStdString() : "");
    return parsed.instructions;
}

struct Link {
    QString name;
    std::optional<int> next;
    std::optional<int> branch;
    bool operator==(const Link &) const = default;
};

std::vector<Link> Links(const InstructionTable &table)
{
    std::vector<Link> links;
    for (const TableEntry &e : table.entries)
        links.push_back({NameOf(e.kind), e.next, e.branch});
    return links;
}

void PrintTo(const Link &l, std::ostream *os)
{
    *os << l.name.toStdString() << " next=" << (l.next ? std::to_string(*l.next) : "-")
        << " branch=" << (l.branch ? std::to_string(*l.branch) : "-");
}

TEST(BuildInstructionTable, EmptyProgramIsStartAndEnd)
{
    const auto table = BuildInstructionTable(Lines({}));
    ASSERT_TRUE(table);
    EXPECT_EQ(Links(*table), (std::vector<Link>{{"start", 1, {}}, {"end", {}, {}}}));
    EXPECT_EQ(MemoryTotal(*table, kCurrentGeneration), 3);
}

// if(sw=on){ if(cds>50){ beep1(); } else{ beep2(); } } else{ beep3(); }
// if(sw=off){ beep1(); } else{ beep2(); }
TEST(BuildInstructionTable, NestedConditionalsContinueAfterTheirWholeBlock)
{
    const auto table = BuildInstructionTable(Lines({
        "8,0,0,0,0,0,0", "8,2,50,0,0,0,0", "5,0,0,0,0,0,0", "20,1,0,0,0,0,0", "5,1,0,0,0,0,0",
        "21,1,0,0,0,0,0", "20,0,0,0,0,0,0", "5,2,0,0,0,0,0", "21,0,0,0,0,0,0",
        "8,1,0,0,0,0,0", "5,0,0,0,0,0,0", "20,0,0,0,0,0,0", "5,1,0,0,0,0,0", "21,0,0,0,0,0,0",
    }));
    ASSERT_TRUE(table);
    EXPECT_EQ(Links(*table), (std::vector<Link>{
                                 {"start", 1, {}},
                                 {"if", 2, 5},     // sw=on
                                 {"if", 3, 4},     // cds>50
                                 {"sound", 6, {}},  // inner beep1
                                 {"sound", 6, {}},  // inner beep2 -> second if
                                 {"sound", 6, {}},  // beep3 -> second if
                                 {"if", 7, 8},     // sw=off
                                 {"sound", 9, {}},
                                 {"sound", 9, {}},
                                 {"end", {}, {}},
                             }));
}

TEST(BuildInstructionTable, EmptyBranchesAndMissingElse)
{
    // An if with an empty then part, one with an empty else part, and one
    // closed without an else line at all.
    const auto table = BuildInstructionTable(Lines({
        "8,4,30,0,0,0,0", "20,2,0,0,0,0,0", "5,0,0,0,0,0,0", "21,2,0,0,0,0,0",
        "8,0,0,0,0,0,0", "5,1,0,0,0,0,0", "20,0,0,0,0,0,0", "21,0,0,0,0,0,0",
        "8,1,0,0,0,0,0", "21,0,0,0,0,0,0",
        "9,0,3,0,0,0,0", "9,1,0,0,0,0,0",
    }));
    ASSERT_TRUE(table);
    EXPECT_EQ(Links(*table), (std::vector<Link>{
                                 {"start", 1, {}},
                                 {"if", 3, 2},     // empty then: straight on
                                 {"sound", 3, {}},
                                 {"if", 4, 5},     // empty else: branch past the block
                                 {"sound", 5, {}},
                                 {"if", 6, 6},     // both empty
                                 {"loop", 7, {}},  // loops are not linked specially
                                 {"loop", 8, {}},
                                 {"end", {}, {}},
                             }));
}

TEST(BuildInstructionTable, RefusesMoreThanSixtyEntries)
{
    QStringList fiftyEight;
    for (int i = 0; i < 58; ++i)
        fiftyEight << "5,0,0,0,0,0,0";
    const auto full = BuildInstructionTable(Lines(fiftyEight));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->entries.size(), 60u);
    EXPECT_EQ(MemoryTotal(*full, kCurrentGeneration), 119);

    const auto over = Lines(fiftyEight + QStringList{"5,0,0,0,0,0,0"});
    EXPECT_EQ(InstructionTableEntriesNeeded(over), 61);
    EXPECT_FALSE(BuildInstructionTable(over).has_value());
    EXPECT_EQ(ProgramLinesMemoryCount(over, kCurrentGeneration), 121);
}

TEST(BuildInstructionTable, EncodesAsRoutineZero)
{
    const auto table = BuildInstructionTable(Lines({"8,0,0,0,0,0,0", "5,0,0,0,0,0,0", "20,0,0,0,0,0,0",
                                                    "5,1,0,0,0,0,0", "21,0,0,0,0,0,0"}));
    ASSERT_TRUE(table);
    EXPECT_EQ(EncodeProgram(RoutinesOf(*table), kCurrentGeneration),
              (ByteList{230, 2, 180, 5, 7, 150, 9, 151, 9, 231}));
}

// A program of exactly 120 bytes fits; one more byte does not.
TEST(BuildInstructionTable, MemoryTotalAtTheLimit)
{
    QStringList lines;
    for (int i = 0; i < 23; ++i)
        lines << "6,5,1,25,0,0,0";  // 4 bytes each: 92
    lines << "4,0,100,1,0,0,0" << "12,4,1,0,0,0,0" << "5,0,0,0,0,0,0" << "3,0,1,0,0,0,0" << "12,1,2,0,0,0,0"
          << "11,0,0,0,0,0,0" << "7,4,25,0,0,0,0";  // 4 + 3 + 2 + 3 + 3 + 2 + 3 = 20 -> 112
    lines << "9,0,2,0,0,0,0" << "9,1,0,0,0,0,0";  // 3 + 2 -> 117, with start and end 120
    const auto table = BuildInstructionTable(Lines(lines));
    ASSERT_TRUE(table);
    EXPECT_EQ(MemoryTotal(*table, kCurrentGeneration), kMemoryLimit);
    EXPECT_EQ(ProgramSize(RoutinesOf(*table), kCurrentGeneration), kMemoryLimit);
    lines << "5,0,0,0,0,0,0";
    EXPECT_EQ(MemoryTotal(*BuildInstructionTable(Lines(lines)), kCurrentGeneration), kMemoryLimit + 2);
}

}  // namespace
}  // namespace kq
