#pragma once

#include "device/report_router.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace kq::testing {

// Keeps the clock's reports and counts its losses; onLost runs at each loss.
class RecordingReceiver final : public ReportReceiver {
public:
    void ReportReceived(const QString &text) override { texts.append(text); }
    void ClockLost() override
    {
        ++lost;
        if (onLost)
            onLost();
    }
    QStringList texts;
    int lost = 0;
    std::function<void()> onLost;
};

}  // namespace kq::testing
