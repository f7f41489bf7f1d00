#pragma once

#include <QString>

namespace kq {

class Launcher;
class Paths;
class Waiter;

// The panel maker lists this kit under this number.
inline constexpr int kPanelMakerModelNumber = 5;

// Leaves "Product.txt" in the hand-over folder for the panel maker (which
// reads and deletes it), waits half a second and starts the panel maker
// without waiting for it. The caller then ends the studio.
void StartPanelMaker(const Paths &paths, Waiter &waiter, Launcher &launcher, const QString &program);

}  // namespace kq
