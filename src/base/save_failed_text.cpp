#include "base/save_failed_text.h"

namespace kq {

QString SaveFailedText(const QString &saveFailedMessage, const TextWriteResult &result)
{
    if (result.unencodable.isEmpty())
        return saveFailedMessage;
    return saveFailedMessage + QStringLiteral("\r\n「") + result.unencodable
        + QStringLiteral("」はファイルに保存できない文字です。");
}

}  // namespace kq
