#include "panel/document/panel_messages.h"

namespace kq::panel {

QString PictureNotFoundMessage(const QString &kind, const QString &path)
{
    return kind + QStringLiteral("ファイル ") + path + QStringLiteral(" が見つかりません。");
}

}  // namespace kq::panel
