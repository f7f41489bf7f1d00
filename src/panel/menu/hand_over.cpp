#include "panel/menu/hand_over.h"

#include "base/paths.h"
#include "base/text_file.h"

#include <QFile>

namespace kq::panel {

namespace {

// The studio's product numbers; TL-1 and TL-4 have none.
std::optional<int> ModelOfCode(const QString &code)
{
    if (code == QLatin1String("1"))
        return 1;
    if (code == QLatin1String("2"))
        return 2;
    if (code == QLatin1String("4"))
        return 4;
    if (code == QLatin1String("5"))
        return 5;
    return std::nullopt;
}

}  // namespace

std::optional<int> TakeHandOverModel(const kq::Paths &panelPaths)
{
    const QString path = panelPaths.PanelHandOverFolder() + QStringLiteral("Product.txt");
    if (!QFile::exists(path))
        return std::nullopt;
    // A file that cannot be read chooses nothing, and is removed all the same.
    const std::optional<TextFileContent> content = ReadTextLines(path);
    QFile::remove(path);
    if (!content || content->lines.isEmpty())
        return std::nullopt;
    return ModelOfCode(content->lines.first().trimmed());
}

}  // namespace kq::panel
