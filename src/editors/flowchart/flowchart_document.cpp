#include "editors/flowchart/flowchart_document.h"

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
    return {StepMessage::Kind::Warning, kFlowchartForeignFileMessage};
}

ProgramLinesResult FlowchartDocument::ProgramLines() const
{
    // The linear form comes with the flowchart's check and device code.
    return ProgramLinesResult {std::nullopt, {}};
}

bool FlowchartDocument::LoadSection(const QStringList &section)
{
    const bool loaded = m_chart.LoadSection(section);
    emit Changed();
    return loaded;
}

std::optional<StepMessage> FlowchartDocument::LoadProgramLines(const QStringList &)
{
    // The linear form comes with the flowchart's check and device code.
    return ForeignFileRefusal();
}

}  // namespace kq
