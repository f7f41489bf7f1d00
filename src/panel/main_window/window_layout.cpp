#include "panel/main_window/window_layout.h"

namespace kq::panel {

const WindowLayout &WindowLayoutFor(LayoutGroup group)
{
    static const WindowLayout tall {
        {1000, 700},          {14, 6}, {14, 100}, {14, 142, 480, 530},
        {508, 100, 232, 428}, false,   4,         {508, 536, 232, 136},
        {752, 100, 234, 572},
    };
    static const WindowLayout wide {
        {1000, 560}, {14, 6}, {14, 100},         {14, 142, 798, 292},  {14, 440, 972, 114},
        true,        8,       {750, 4, 236, 92}, {818, 100, 170, 334},
    };
    return group == LayoutGroup::Tall ? tall : wide;
}

}  // namespace kq::panel
