#pragma once

#include <QString>

namespace kq::assets {

// The help page "HTML/Navi/memory.html": how many bytes of the clock's
// 120-byte memory every instruction takes, on both kinds of clock. Built from
// the instruction catalogue so the page can never disagree with the studio's
// own count. Returns an error text, empty on success.
QString WriteMemoryPage(const QString &path);

}  // namespace kq::assets
