#include "base/waiter.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace kq {

namespace {
qint64 MonotonicMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}
}  // namespace

EventLoopWaiter::EventLoopWaiter() : m_origin(MonotonicMs()) {}

void EventLoopWaiter::WaitProcessing(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(milliseconds);
    loop.exec();
}

qint64 EventLoopWaiter::Now() const
{
    return MonotonicMs() - m_origin;
}

}  // namespace kq
