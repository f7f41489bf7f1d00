#pragma once

#include "base/waiter.h"

#include <QList>

#include <functional>

namespace kq::testing {

// Advances a virtual clock at once; records every wait. Pending events are
// still processed, so queued device reports arrive during a wait as they
// would in the real program.
class FakeWaiter final : public Waiter {
public:
    void WaitProcessing(int milliseconds) override;
    qint64 Now() const override { return m_now; }

    const QList<int> &Waits() const { return m_waits; }
    qint64 TotalWaited() const;
    // Runs after the virtual time has advanced, before events are processed.
    void SetOnWait(std::function<void(int)> onWait) { m_onWait = std::move(onWait); }

private:
    qint64 m_now = 0;
    QList<int> m_waits;
    std::function<void(int)> m_onWait;
};

}  // namespace kq::testing
