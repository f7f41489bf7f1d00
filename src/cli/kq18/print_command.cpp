// print FILE.kq18 MODEL OUT.pdf: the panel of a panel file with the model's
// frame overlay, printed at real size 10 mm from the paper's left and top
// edges on one A4 page of a PDF file, as the print window prints it.
#include "base/atomic_file.h"
#include "cli/kq18/tool_command.h"
#include "panel/menu/panel_printing.h"

#include <QFileInfo>

namespace kq::kq18tool {

namespace {

// The PDF is made in memory and replaces OUT only once it is complete.
bool WritePanelPdf(const QImage &panel, const QString &path)
{
    const std::optional<QByteArray> pdf = panel::PanelPdf(panel);
    return pdf && WriteFileAtomically(path, *pdf);
}

}  // namespace

int RunPrint(const QStringList &arguments)
{
    if (arguments.size() != 3)
        return Fail(kUsageOrUnreadable, QStringLiteral("usage: kq18-tool print FILE.kq18 MODEL OUT.pdf"));
    const std::optional<int> model = ModelArgument(arguments.at(1));
    if (!model)
        return kUsageOrUnreadable;
    if (QFileInfo(arguments.at(2)).suffix().toLower() != QLatin1String("pdf"))
        return Fail(kUsageOrUnreadable, QStringLiteral("kq18-tool: print writes PDF files (OUT.pdf), not ") + arguments.at(2));

    const FlattenedPanel panel = LoadFlattenedPanel(arguments.at(0), *model);
    if (panel.exitCode != kSuccess)
        return panel.exitCode;
    if (!WritePanelPdf(panel.image, arguments.at(2)))
        return Fail(kUsageOrUnreadable,
                    QStringLiteral("kq18-tool: ") + arguments.at(2) + QStringLiteral(" could not be written"));
    return kSuccess;
}

}  // namespace kq::kq18tool
