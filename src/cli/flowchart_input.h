#pragma once

#include "editors/flowchart/flowchart.h"
#include "model/program_file.h"

#include <optional>

// A flowchart file as the commands read it: from its boxes, the stored first
// line and program lines not trusted.
namespace kq::cli {

struct FlowchartInputResult {
    std::optional<Flowchart> flowchart;
    int exitCode = 0;  // when flowchart is empty; the message is already printed
};

// A ROUTINE section that starts as the flowchart step writes it ("SUB"); a
// file that only carries the marker is read by its program lines, as before.
bool HasFlowchartSection(const ProgramFileParts &parts);

// The ROUTINE section of parts, checked as a transfer checks it.
FlowchartInputResult ReadFlowchartInput(const ProgramFileParts &parts, int generation);

}  // namespace kq::cli
