#include "base/text_file.h"
#include "cli/command.h"
#include "editors/flowchart/flowchart.h"
#include "editors/flowchart/flowchart_linear.h"
#include "editors/flowchart/flowchart_readback.h"
#include "model/program_file.h"
#include "model/report_fields.h"

namespace kq::cli {

namespace {
constexpr const char *kReadBackUsage = "usage: kq27-tool readback DUMP OUT";
const QString kNothingReadMessage = QStringLiteral("本体からプログラムを読み込めませんでした。");
}  // namespace

int RunFlowchartReadBack(const QStringList &arguments)
{
    if (arguments.size() != 2 || arguments[0].startsWith(QLatin1String("--")))
        return Fail(kUsageOrUnreadable, QString::fromUtf8(kReadBackUsage));
    const std::optional<TextFileContent> dump = ReadTextLines(arguments[0]);
    if (!dump)
        return Fail(kUsageOrUnreadable, QStringLiteral("%1: cannot be read").arg(arguments[0]));
    const std::optional<QStringList> section = ReadBackSection(dump->lines);
    Flowchart flowchart;
    if (!section || !flowchart.LoadSection(*section))
        return Fail(kInvalidProgram, kNothingReadMessage);
    const LinearForm form = LinearFormOf(flowchart);
    const std::optional<QStringList> lines = form.lines.isEmpty() ? std::nullopt : std::optional(form.lines);
    if (!WriteTextLines(arguments[1], ProgramFileLines(lines, ReportFields {}, kFlowchartSectionMarker,
                                                       flowchart.SectionLines())))
        return Fail(kUsageOrUnreadable, QStringLiteral("%1: cannot be written").arg(arguments[1]));
    return kSuccess;
}

}  // namespace kq::cli
