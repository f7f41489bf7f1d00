#include "base/waiter.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace kq {
namespace {

// The real waiter keeps the event loop running: a timer due during the wait
// fires inside it, and the wait still ends.
TEST(EventLoopWaiter, ProcessesEventsWhileWaiting)
{
    int argc = 1;
    char name[] = "waiter_test";
    char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    EventLoopWaiter waiter;
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    const qint64 before = waiter.Now();
    waiter.WaitProcessing(1);
    EXPECT_TRUE(fired);
    EXPECT_GE(waiter.Now() - before, 1);

    // Nothing to wait for: returns at once.
    waiter.WaitProcessing(0);
    waiter.WaitProcessing(-5);
}

}  // namespace
}  // namespace kq
