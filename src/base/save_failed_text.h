#pragma once

#include "base/text_file.h"

#include <QString>

namespace kq {

// The caller's save-failed message, and which character the file cannot hold
// when that was the cause. Both programs' saves say it the same way.
QString SaveFailedText(const QString &saveFailedMessage, const TextWriteResult &result);

}  // namespace kq
