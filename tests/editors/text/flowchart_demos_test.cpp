#include "base/text_file.h"
#include "default_keywords.h"
#include "editors/text/lines_to_text.h"
#include "editors/text/text_program.h"
#include "model/encoder.h"
#include "model/program_file.h"

#include <QMap>

#include <gtest/gtest.h>

namespace kq {
namespace {

struct Box {
    QString kind;
    QStringList preds;
    QString next;
    QString branch;
    QString params;
};

// The boxes of one routine of a "ROUTINE" section, by slot.
QMap<int, Box> RoutineBoxes(const QStringList &section, int routine)
{
    QMap<int, Box> boxes;
    for (int slot = 0; slot < 60; ++slot) {
        const QStringList fields = section[5 + routine * 60 + slot].split(QLatin1Char('-'));
        EXPECT_EQ(fields.size(), 8);
        if (fields.size() != 8 || fields[1].isEmpty())
            continue;
        EXPECT_EQ(fields[0].toInt(), slot);
        boxes[slot] = {fields[1], fields[4].isEmpty() ? QStringList{} : fields[4].split(','), fields[5], fields[6],
                       fields[7]};
    }
    return boxes;
}

// The boxes from `from` along next arrows, an if counted with everything up
// to the box where its two ways meet.
QList<int> Path(const QMap<int, Box> &boxes, int from);

int Join(const QMap<int, Box> &boxes, int ifSlot)
{
    const QList<int> other = Path(boxes, boxes[ifSlot].branch.toInt());
    for (const int slot : Path(boxes, boxes[ifSlot].next.toInt())) {
        if (other.contains(slot))
            return slot;
    }
    return -1;
}

QList<int> Path(const QMap<int, Box> &boxes, int from)
{
    QList<int> path;
    for (int slot = from; slot >= 0 && boxes.contains(slot) && path.size() < 60;) {
        path.append(slot);
        if (boxes[slot].next.isEmpty())
            break;
        slot = boxes[slot].kind == u"if" ? Join(boxes, slot) : boxes[slot].next.toInt();
    }
    return path;
}

// The program lines the drawn boxes stand for.
void Linear(const QMap<int, Box> &boxes, int from, int stop, QStringList &lines)
{
    for (int slot = from; slot != stop && boxes.contains(slot);) {
        const Box &box = boxes[slot];
        if (box.kind == u"end")
            return;
        if (box.kind == u"if") {
            const int join = Join(boxes, slot);
            const int group = ConditionGroupOf(box.params.section(',', 0, 0).toInt());
            lines.append(QStringLiteral("8,") + box.params);
            Linear(boxes, box.next.toInt(), join, lines);
            lines.append(QStringLiteral("20,%1,0,0,0,0,0").arg(group));
            Linear(boxes, box.branch.toInt(), join, lines);
            lines.append(QStringLiteral("21,%1,0,0,0,0,0").arg(group));
            slot = join;
            continue;
        }
        if (box.kind != u"start")
            lines.append(QString::number(KindNumberOf(box.kind)) + QLatin1Char(',') + box.params);
        slot = box.next.toInt();
    }
}

TEST(FlowchartDemos, BoxesAndArrowsMatchTheProgramLinesAndReadAsText)
{
    const KeywordFile keywords = testing::DefaultKeywords();
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        const std::optional<TextFileContent> file =
            ReadTextLines(QStringLiteral(KQ_DATA_DIR "/Data/Demo/fro/demo%1(フロー).kq27").arg(n));
        ASSERT_TRUE(file.has_value());
        const ProgramFileParts parts = SplitProgramFile(file->lines);
        EXPECT_EQ(parts.firstLine, kValidProgramMark);
        ASSERT_EQ(parts.sectionMarker, kFlowchartSectionMarker);
        ASSERT_EQ(parts.section.size(), 5 + 300);
        EXPECT_EQ(parts.section.first(), "SUB");
        for (int line = 5 + 60; line < 5 + 300; ++line)
            EXPECT_EQ(parts.section[line], "0--0-0----");

        const QMap<int, Box> boxes = RoutineBoxes(parts.section, 0);
        ASSERT_EQ(boxes.value(0).kind, "start");
        // Every arrow is recorded at both of its ends.
        for (auto it = boxes.begin(); it != boxes.end(); ++it) {
            for (const QString &target : {it->next, it->branch}) {
                if (!target.isEmpty()) {
                    EXPECT_TRUE(boxes[target.toInt()].preds.contains(QString::number(it.key())));
                }
            }
            for (const QString &pred : it->preds) {
                const Box &source = boxes[pred.toInt()];
                EXPECT_TRUE(source.next == QString::number(it.key()) || source.branch == QString::number(it.key()));
            }
        }
        QStringList lines{kStartLine};
        Linear(boxes, 0, -1, lines);
        lines.append(kEndLine);
        EXPECT_EQ(lines, parts.programLines);

        // The text step shows them as a valid text program.
        const ParsedProgramLines parsed = ParseProgramLines(parts.programLines);
        ASSERT_FALSE(parsed.error.has_value());
        EXPECT_LE(ProgramLinesMemoryCount(parsed.instructions, kCurrentGeneration), kMemoryLimit);
        const QStringList text = EditorLines(LinesToText(parsed.instructions, keywords, kCurrentGeneration).value());
        EXPECT_EQ(CheckTextProgram(text, keywords), std::nullopt);
        EXPECT_EQ(TranslateText(text, keywords), parts.programLines);
    }
}

}  // namespace
}  // namespace kq
