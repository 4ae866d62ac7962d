#pragma once

#include "files/Scheduler.h"

#include <map>

// A clock that moves only when the test says so; due timers fire in order of their due time.
class FakeScheduler : public Scheduler
{
public:
    FakeScheduler();

    qint64 tickMs() const override { return m_now; }
    QDateTime currentDateTime() const override { return m_epoch.addMSecs(m_now); }
    TimerId singleShot(qint64 delayMs, std::function<void()> fn) override;
    void cancel(TimerId id) override;

    // Moves the clock forward by `ms`, firing every timer that falls due on the way.
    void advance(qint64 ms);
    int pendingTimers() const { return int(m_timers.size()); }
    // Delay asked for by the most recent timer.
    qint64 lastDelayMs() const { return m_lastDelay; }
    // Time left until the next timer fires, -1 when none.
    qint64 nextDueInMs() const;

    QDateTime m_epoch;

private:
    struct Timer
    {
        qint64 due;
        std::function<void()> fn;
    };
    std::map<TimerId, Timer> m_timers;
    qint64 m_now = 0;
    qint64 m_lastDelay = -1;
    TimerId m_next = 1;
};
