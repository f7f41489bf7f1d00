#include "tools/control/train_time.h"

namespace kq {

QString TrainTimeLabel(int tenths)
{
    // 'g' drops a trailing ".0"; three significant digits hold 25.4.
    return QString::number(tenths / 10.0, 'g', 3) + QStringLiteral("秒");
}

}  // namespace kq
