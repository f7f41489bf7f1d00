#pragma once

#include "context/studio_context.h"
#include "editors/common/step_document.h"
#include "editors/common/step_windows.h"
#include "model/program_file.h"
#include "model/program_lines.h"

#include <map>
#include <memory>

namespace kq::testing {

// A program line of a lamp lit red, the instruction most step tests use.
inline const QString kRedLamp = QStringLiteral("2,0,255,0,0,4,0");

// A small step in the shape the three editors follow: a document without a
// window, whose program is a list of instruction lines (its section holds
// the same lines), which cannot show programs with an `if` (kind 8) that
// another step made; and a window host apart from it.
class TestStep final : public StepDocument {
public:
    static inline const StepMessage kForeignRefusal{StepMessage::Kind::Information, "foreign file refused"};
    static inline const StepMessage kIfRefusal{StepMessage::Kind::Warning, "no ifs in this step"};
    static inline const StepMessage kCheckMessage{StepMessage::Kind::Warning, "the check failed"};

    TestStep(Step step, QString marker) : m_step(step), m_marker(std::move(marker)) {}

    Step StepKind() const override { return m_step; }
    QString SectionMarker() const override { return m_marker; }
    QString DefaultEnding() const override { return QStringLiteral("(テスト).kq27"); }
    QString SaveFailedMessage() const override { return QStringLiteral("save failed"); }
    StepMessage ForeignFileRefusal() const override { return kForeignRefusal; }

    ProgramLinesResult ProgramLines() const override
    {
        ++programLinesBuilt;
        if (!valid)
            return {std::nullopt, {kCheckMessage}};
        return {QStringList{kStartLine} + instructions + QStringList{kEndLine}, {}};
    }
    QStringList SectionLines() const override { return QStringList{"layout " + layout} + instructions; }
    bool HasInstructions() const override { return !instructions.isEmpty(); }

    bool LoadSection(const QStringList &section) override
    {
        SetInstructions({});
        if (section.isEmpty() || !section.first().startsWith("layout "))
            return false;
        layout = section.first().mid(7);
        for (const QString &line : section.mid(1)) {
            if (!ParseProgramLine(line))
                return false;
            instructions.append(line);
        }
        emit Changed();
        return true;
    }
    std::optional<StepMessage> LoadProgramLines(const QStringList &programLines) override
    {
        const QStringList inner = programLines.mid(1, programLines.size() - 2);
        for (const QString &line : inner) {
            if (line.startsWith("8,"))
                return kIfRefusal;
        }
        layout = "converted";
        SetInstructions(inner);
        return std::nullopt;
    }
    void MarkSaved() override { ++savedMarks; }
    void ClearHistory() override { ++historiesCleared; }

    void SetInstructions(const QStringList &lines)
    {
        instructions = lines;
        emit Changed();
    }

    QStringList instructions;
    QString layout = "fresh";
    bool valid = true;
    mutable int programLinesBuilt = 0;
    int savedMarks = 0;
    int historiesCleared = 0;

private:
    Step m_step;
    QString m_marker;
};

class TestHost final : public StepWindowHost {
public:
    QWidget *DialogParent() override { return nullptr; }
    void SetCaption(const QString &text) override { caption = text; }
    QString caption;
};

inline QString MarkerOf(Step step)
{
    return step == Step::Icons ? kIconSectionMarker
                               : step == Step::Flowchart ? kFlowchartSectionMarker : kTextSectionMarker;
}

// The shell's side of a switch. Closing deletes the step at once, so a
// switch that touched its source after closing it would fail under ASan.
class TestStepWindows final : public StepWindows {
public:
    explicit TestStepWindows(StudioContext &context) : m_context(context) {}

    TestStep &Open(Step step)
    {
        ShowStep(step);
        return m_open.at(step)->document;
    }
    StepEditor EditorOf(Step step)
    {
        const auto it = m_open.find(step);
        return it == m_open.end() ? StepEditor{} : StepEditor{&it->second->document, &it->second->host};
    }
    TestStep *Find(Step step) const
    {
        const auto it = m_open.find(step);
        return it == m_open.end() ? nullptr : &it->second->document;
    }

    void CloseStep(Step step) override
    {
        // A window closed outside a switch would ask its close question.
        const StepSwitchState state = m_context.StepSwitch();
        events.append(state.underWay ? QStringLiteral("close %1 (switch from %2)").arg(int(step)).arg(int(*state.source))
                                     : QStringLiteral("close %1").arg(int(step)));
        m_open.erase(step);
    }
    StepEditor ShowStep(Step step) override
    {
        events.append(QStringLiteral("show %1").arg(int(step)));
        auto &slot = m_open[step];
        if (!slot)
            slot = std::make_unique<Window>(step);
        return {&slot->document, &slot->host};
    }

    QStringList events;

private:
    struct Window {
        explicit Window(Step step) : document(step, MarkerOf(step)) {}
        TestStep document;
        TestHost host;
    };

    StudioContext &m_context;
    std::map<Step, std::unique_ptr<Window>> m_open;
};

}  // namespace kq::testing
