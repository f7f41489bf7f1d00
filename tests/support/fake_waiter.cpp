#include "support/fake_waiter.h"

#include <QCoreApplication>

namespace kq::testing {

void FakeWaiter::WaitProcessing(int milliseconds)
{
    m_waits.append(milliseconds);
    m_now += milliseconds > 0 ? milliseconds : 0;
    if (m_onWait)
        m_onWait(milliseconds);
    QCoreApplication::processEvents();
}

qint64 FakeWaiter::TotalWaited() const
{
    qint64 total = 0;
    for (int w : m_waits)
        total += w;
    return total;
}

}  // namespace kq::testing
