// flatten FILE.kq18 MODEL OUT: the panel of a panel file as one picture with
// the model's frame overlay, as the preview page shows it.
#include "cli/kq18/tool_command.h"

namespace kq::kq18tool {

int RunFlatten(const QStringList &arguments)
{
    if (arguments.size() != 3)
        return Fail(kUsageOrUnreadable, QStringLiteral("usage: kq18-tool flatten FILE.kq18 MODEL OUT"));
    const std::optional<int> model = ModelArgument(arguments.at(1));
    if (!model)
        return kUsageOrUnreadable;
    const QByteArray format = OutputFormat(arguments.at(2));
    if (format.isEmpty())
        return Fail(kUsageOrUnreadable, QStringLiteral("kq18-tool: cannot write pictures named ") + arguments.at(2));

    const FlattenedPanel panel = LoadFlattenedPanel(arguments.at(0), *model);
    if (panel.exitCode != kSuccess)
        return panel.exitCode;
    if (!WritePicture(panel.image, arguments.at(2), format))
        return Fail(kUsageOrUnreadable,
                    QStringLiteral("kq18-tool: ") + arguments.at(2) + QStringLiteral(" could not be written"));
    return kSuccess;
}

}  // namespace kq::kq18tool
