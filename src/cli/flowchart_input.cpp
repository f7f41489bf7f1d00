#include "cli/flowchart_input.h"

#include "cli/command.h"
#include "editors/flowchart/flowchart_check.h"

namespace kq::cli {

bool HasFlowchartSection(const ProgramFileParts &parts)
{
    return parts.sectionMarker == kFlowchartSectionMarker && !parts.section.isEmpty()
           && parts.section.first() == kSubroutineMarker;
}

FlowchartInputResult ReadFlowchartInput(const ProgramFileParts &parts, int generation)
{
    Flowchart flowchart(generation);
    if (!flowchart.LoadSection(parts.section))
        return {std::nullopt, Fail(kInvalidProgram, kReadFailedMessage)};
    const ProgramCheck check = CheckProgram(flowchart);
    if (check.result != CheckResult::Correct)
        return {std::nullopt, Fail(kInvalidProgram, CheckMessageOf(check.result))};
    return {std::move(flowchart), kSuccess};
}

}  // namespace kq::cli
