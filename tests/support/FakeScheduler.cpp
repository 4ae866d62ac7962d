#include "support/FakeScheduler.h"

#include <QTimeZone>

FakeScheduler::FakeScheduler()
    : m_epoch(QDate(2026, 3, 14), QTime(9, 26, 53, 589), QTimeZone::utc())
{}

Scheduler::TimerId FakeScheduler::singleShot(qint64 delayMs, std::function<void()> fn)
{
    const TimerId id = m_next++;
    m_timers[id] = {m_now + delayMs, std::move(fn)};
    m_lastDelay = delayMs;
    return id;
}

void FakeScheduler::cancel(TimerId id)
{
    m_timers.erase(id);
}

qint64 FakeScheduler::nextDueInMs() const
{
    qint64 best = -1;
    for (const auto &[id, t] : m_timers)
        if (best < 0 || t.due < best)
            best = t.due;
    return best < 0 ? -1 : best - m_now;
}

void FakeScheduler::advance(qint64 ms)
{
    const qint64 target = m_now + ms;
    for (;;) {
        auto due = m_timers.end();
        for (auto it = m_timers.begin(); it != m_timers.end(); ++it)
            if (it->second.due <= target &&
                (due == m_timers.end() || it->second.due < due->second.due))
                due = it;
        if (due == m_timers.end())
            break;
        m_now = due->second.due;
        auto fn = std::move(due->second.fn);
        m_timers.erase(due);
        fn();
    }
    m_now = target;
}
