#pragma once

#include <QString>

namespace kq::testing {

// `count` copies of a program line, each ending in a line break.
inline QString RepeatedLines(const char *line, int count)
{
    return (QString::fromUtf8(line) + QLatin1Char('\n')).repeated(count);
}

}  // namespace kq::testing
