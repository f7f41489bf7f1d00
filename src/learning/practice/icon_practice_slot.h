#pragma once

// The practice slot's controls: simpler than the editor's row, the same
// captions and ranges.

#include "editors/icon/icon_table.h"

#include <QStringList>

#include <optional>

namespace kq {

inline constexpr int kIconPracticeLastIcon = 14;
inline constexpr int kIconPracticeSliderPageStep = 3;

// "LED点灯", "フェードイン", "フェードアウト" for the lamp icons 0..7.
[[nodiscard]] QStringList IconPracticeChoicesOf(int icon);
// The time slider for icons 0..8 while the first choice is selected, the
// temperature slider for icon 13.
[[nodiscard]] std::optional<SliderKind> IconPracticeSliderOf(int icon, int choice);

}  // namespace kq
