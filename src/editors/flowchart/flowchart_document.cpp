#include "editors/flowchart/flowchart_document.h"

#include "editors/flowchart/flowchart_import.h"
#include "editors/flowchart/flowchart_linear.h"
#include "model/device_generation.h"
#include "model/program_file.h"

namespace kq {

FlowchartDocument::FlowchartDocument(DeviceGeneration &generation, QObject *parent)
    : StepDocument(parent), m_chart(generation.Value())
{
    connect(&generation, &DeviceGeneration::Changed, this, [this](int value) {
        m_chart.SetGeneration(value);
        emit Changed();
    });
}

QString FlowchartDocument::SectionMarker() const
{
    return kFlowchartSectionMarker;
}

QString FlowchartDocument::DefaultEnding() const
{
    return QStringLiteral("(フロー).kq27");
}

QString FlowchartDocument::SaveFailedMessage() const
{
    return kSaveFailedMessage;
}

StepMessage FlowchartDocument::ForeignFileRefusal() const
{
    return {StepMessage::Kind::Information, kFlowchartForeignFileMessage};
}

ProgramLinesResult FlowchartDocument::ProgramLines() const
{
    LinearForm form = LinearFormOf(m_chart);
    ProgramLinesResult result;
    if (!form.lines.isEmpty())
        result.lines = std::move(form.lines);
    if (form.message)
        result.messages << StepMessage {StepMessage::Kind::Warning, *form.message};
    return result;
}

bool FlowchartDocument::LoadSection(const QStringList &section)
{
    const bool loaded = m_chart.LoadSection(section);
    emit Changed();
    return loaded;
}

std::optional<StepMessage> FlowchartDocument::LoadProgramLines(const QStringList &programLines)
{
    const ImportResult imported = ImportProgramLines(programLines, m_chart.Generation());
    // Refused lines leave the sheet empty, as loading clears it first.
    const QStringList section = imported.section.value_or(Flowchart(m_chart.Generation()).SectionLines());
    if (!m_chart.LoadSection(section))
        return StepMessage {StepMessage::Kind::Warning, kReadFailedMessage};
    emit Changed();
    if (!imported.section)
        return StepMessage {StepMessage::Kind::Warning, imported.message};
    return std::nullopt;
}

}  // namespace kq
