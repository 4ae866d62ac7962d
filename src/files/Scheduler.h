#pragma once

#include <QDateTime>

#include <functional>

// Time and single-shot timers for the player. The engine waits only through this interface, so
// tests drive it with a fake clock and nothing sleeps.
class Scheduler
{
public:
    using TimerId = int;

    virtual ~Scheduler() = default;

    // Milliseconds of a monotonic tick counter.
    virtual qint64 tickMs() const = 0;
    // The wall clock.
    virtual QDateTime currentDateTime() const = 0;
    // Calls `fn` once, `delayMs` from now, from the event loop. Returns an id for cancel().
    virtual TimerId singleShot(qint64 delayMs, std::function<void()> fn) = 0;
    // Cancelling an id that has fired or was cancelled does nothing.
    virtual void cancel(TimerId id) = 0;
};
