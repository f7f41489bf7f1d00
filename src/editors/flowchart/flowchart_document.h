#pragma once

#include "editors/common/step_document.h"
#include "editors/flowchart/flowchart.h"

#include <type_traits>

namespace kq {

class DeviceGeneration;

inline const QString kFlowchartForeignFileMessage =
    QStringLiteral("このファイルは構文が間違っている為開けません。\r\nファイルを作成したステップで開いて下さい。");

// The STEP2 program as the shared file commands see it: the flowchart, with
// every edit announced through Changed().
class FlowchartDocument final : public StepDocument {
    Q_OBJECT

public:
    explicit FlowchartDocument(DeviceGeneration &generation, QObject *parent = nullptr);

    const Flowchart &Chart() const { return m_chart; }
    // Runs an edit of the flowchart and announces it; gives back what the
    // edit returns.
    template <typename EditFunction> auto Edit(EditFunction &&edit)
    {
        if constexpr (std::is_void_v<decltype(edit(m_chart))>) {
            edit(m_chart);
            emit Changed();
        } else {
            auto result = edit(m_chart);
            emit Changed();
            return result;
        }
    }

    Step StepKind() const override { return Step::Flowchart; }
    QString SectionMarker() const override;
    QString DefaultEnding() const override;
    QString SaveFailedMessage() const override;
    StepMessage ForeignFileRefusal() const override;
    StepMessage::Kind WrongExtensionKind() const override { return StepMessage::Kind::Information; }
    [[nodiscard]] ProgramLinesResult ProgramLines() const override;
    QStringList SectionLines() const override { return m_chart.SectionLines(); }
    bool HasInstructions() const override { return m_chart.HasBoxes(); }
    [[nodiscard]] bool LoadSection(const QStringList &section) override;
    [[nodiscard]] std::optional<StepMessage> LoadProgramLines(const QStringList &programLines) override;
    void MarkSaved() override { m_chart.MarkSaved(); }
    void ClearHistory() override { m_chart.ClearHistory(); }
    bool IsMarkedSaved() const override
    {
        return !m_chart.UndoStack().isEmpty() && m_chart.UndoStack().last().type == UndoType::Saved;
    }

private:
    Flowchart m_chart;
};

}  // namespace kq
