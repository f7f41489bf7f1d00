#include "learning/practice/icon_practice_slot.h"

namespace kq {

QStringList IconPracticeChoicesOf(int icon)
{
    if (icon >= 0 && icon <= 7)
        return {QStringLiteral("LED点灯"), QStringLiteral("フェードイン"), QStringLiteral("フェードアウト")};
    return {};
}

std::optional<SliderKind> IconPracticeSliderOf(int icon, int choice)
{
    if (icon >= 0 && icon <= 8)
        return choice == 0 ? std::optional(SliderKind::Time) : std::nullopt;
    if (icon == 13)
        return SliderKind::Temperature;
    return std::nullopt;
}

}  // namespace kq
