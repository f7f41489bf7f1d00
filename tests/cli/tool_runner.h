#pragma once

#include "support/tool_runner.h"

// Runs the real kq27-tool, as teachers' scripts do.
namespace kq::testing {

inline ToolRun RunTool(const QStringList &arguments, const QString &outputFile = QString())
{
    return RunProgram(QStringLiteral(KQ27_TOOL), arguments, QProcessEnvironment(), outputFile);
}

}  // namespace kq::testing
