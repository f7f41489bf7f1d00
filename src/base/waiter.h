#pragma once

#include <QtGlobal>

// The one place that waits (for the clock, for pacing, for animations).
// Window events keep being processed while waiting, so reports from the clock
// and the pupil's clicks are handled during the wait.
namespace kq {

class Waiter {
public:
    virtual ~Waiter() = default;
    virtual void WaitProcessing(int milliseconds) = 0;
    // Milliseconds since some fixed moment; virtual time for the fake.
    virtual qint64 Now() const = 0;
};

// A nested event loop ended by a precise timer: the CPU stays idle.
class EventLoopWaiter final : public Waiter {
public:
    EventLoopWaiter();
    void WaitProcessing(int milliseconds) override;
    qint64 Now() const override;

private:
    qint64 m_origin;
};

}  // namespace kq
