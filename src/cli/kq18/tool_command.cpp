#include "cli/kq18/tool_command.h"

#include "base/paths.h"
#include "base/picture_file.h"
#include "panel/document/panel_document.h"
#include "panel/model/kit_model.h"

#include <QFileInfo>
#include <QImageWriter>

namespace kq::kq18tool {

QByteArray OutputFormat(const QString &path)
{
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    return QImageWriter::supportedImageFormats().contains(suffix) ? suffix : QByteArray();
}

bool WritePicture(const QImage &image, const QString &path, const QByteArray &format)
{
    return WritePictureFile(path, image, format);
}

std::optional<int> ModelArgument(const QString &code)
{
    const std::optional<int> model = panel::KitModelIndexOf(code);
    if (!model)
        Fail(kUsageOrUnreadable, QStringLiteral("kq18-tool: MODEL is one of TL-1 .. TL-6, not ") + code);
    return model;
}

FlattenedPanel LoadFlattenedPanel(const QString &file, int model)
{
    const Paths paths = Paths::ForInstalledProgram();
    const Paths panelPaths(paths.PanelProgramFolder(), paths.AppDataFolder());
    panel::PanelDocument document(panel::KitModelAt(model), panelPaths);
    const panel::PanelFileResult loaded = document.Load(file);
    if (loaded.status == panel::PanelFileStatus::MissingPicture)
        return {QImage(), Fail(kRefused, loaded.message)};
    if (!loaded)
        return {QImage(), Fail(kUsageOrUnreadable, loaded.message)};
    // A file without a background line falls back on the model's own one.
    if (!document.HasBackground())
        return {QImage(),
                Fail(kRefused, panel::PictureNotFoundMessage(panel::kBackgroundKind, document.BackgroundPath()))};
    return {document.Flatten(true), kSuccess};
}

}  // namespace kq::kq18tool
