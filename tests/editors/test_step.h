#pragma once

#include "context/studio_context.h"
#include "editors/common/step_document.h"
#include "editors/common/step_windows.h"
#include "model/program_lines.h"

#include <map>
#include <memory>

namespace kq::testing {

// A small step for the shared file commands: its program is a list of
// instruction lines, its section holds the same lines, and it cannot show
// programs with an `if` (kind 8) that another step made.
class TestStep final : public StepDocument {
public:
    static inline const StepMessage kForeignRefusal{StepMessage::Kind::Information, "foreign file refused"};
    static inline const StepMessage kIfRefusal{StepMessage::Kind::Warning, "no ifs in this step"};

    TestStep(int number, QString marker) : m_number(number), m_marker(std::move(marker)) {}

    int StepNumber() const override { return m_number; }
    QString SectionMarker() const override { return m_marker; }
    QString DefaultEnding() const override { return QStringLiteral("(テスト).kq27"); }
    QString SaveFailedMessage() const override { return QStringLiteral("save failed"); }
    StepMessage ForeignFileRefusal() const override { return kForeignRefusal; }

    std::optional<QStringList> ProgramLines() override
    {
        ++programLinesBuilt;
        if (!valid)
            return std::nullopt;
        return QStringList{kStartLine} + instructions + QStringList{kEndLine};
    }
    QStringList SectionLines() const override { return QStringList{"layout " + layout} + instructions; }
    bool HasInstructions() const override { return !instructions.isEmpty(); }

    bool LoadSection(const QStringList &section) override
    {
        instructions.clear();
        if (section.isEmpty() || !section.first().startsWith("layout "))
            return false;
        layout = section.first().mid(7);
        for (const QString &line : section.mid(1)) {
            if (!ParseProgramLine(line))
                return false;
            instructions.append(line);
        }
        return true;
    }
    std::optional<StepMessage> LoadProgramLines(const QStringList &programLines) override
    {
        const QStringList inner = programLines.mid(1, programLines.size() - 2);
        for (const QString &line : inner) {
            if (line.startsWith("8,"))
                return kIfRefusal;
        }
        instructions = inner;
        layout = "converted";
        return std::nullopt;
    }

    QWidget *DialogParent() override { return nullptr; }
    void SetCaption(const QString &text) override { caption = text; }

    QStringList instructions;
    QString layout = "fresh";
    bool valid = true;
    QString caption;
    int programLinesBuilt = 0;

private:
    int m_number;
    QString m_marker;
};

// The shell's side of a switch. Closing deletes the step at once, so a
// switch that touched its source after closing it would fail under ASan.
class TestStepWindows final : public StepWindows {
public:
    explicit TestStepWindows(StudioContext &context) : m_context(context) {}

    TestStep &Open(int step)
    {
        ShowStep(step);
        return *m_open.at(step);
    }
    TestStep *Find(int step) const
    {
        const auto it = m_open.find(step);
        return it == m_open.end() ? nullptr : it->second.get();
    }

    void CloseStep(int step) override
    {
        // A window closed outside a switch would ask its close question.
        const StudioContext::StepSwitch state = m_context.stepSwitch();
        events.append(state.underWay ? QStringLiteral("close %1 (switch from %2)").arg(step).arg(state.sourceStep)
                                     : QStringLiteral("close %1").arg(step));
        m_open.erase(step);
    }
    StepDocument *ShowStep(int step) override
    {
        events.append(QStringLiteral("show %1").arg(step));
        auto &slot = m_open[step];
        if (!slot)
            slot = std::make_unique<TestStep>(step, MarkerOf(step));
        return slot.get();
    }

    QStringList events;

private:
    static QString MarkerOf(int step)
    {
        return step == 1 ? QStringLiteral("DDDATA") : step == 2 ? QStringLiteral("ROUTINE") : QStringLiteral("WORDDATA");
    }

    StudioContext &m_context;
    std::map<int, std::unique_ptr<TestStep>> m_open;
};

}  // namespace kq::testing
