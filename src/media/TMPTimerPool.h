#pragma once

#include "files/Scheduler.h"
#include "media/TTrigger.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class Prompter;

// A pool of timed triggers sharing one timer of the Scheduler. The timer runs at the shortest
// interval among the enabled triggers (never below 55 ms) and exists only while one is enabled.
class TMPTimerPool
{
public:
    explicit TMPTimerPool(Scheduler &scheduler);
    ~TMPTimerPool();
    TMPTimerPool(const TMPTimerPool &) = delete;
    TMPTimerPool &operator=(const TMPTimerPool &) = delete;

    // The pool every GIF picture on this scheduler shares: made on first request (with
    // DefEnabled off), freed when the last holder lets it go.
    static std::shared_ptr<TMPTimerPool> shared(Scheduler &scheduler);

    bool DefEnabled = true; // enabled state given to new triggers
    // Called after every tick with handle -1, the timer's interval and the ms since the last tick.
    std::function<void(TMPTimerPool &, int handle, qint64 intervalMs, qint64 elapsedMs)>
        OnAllTriggers;
    // Where handler errors are shown; none: they are dropped.
    Prompter *prompter = nullptr;

    // Count -1 fires without end, 0 makes a trigger that starts disabled.
    int AddTrigger(qint64 intervalMs, int count, TriggerHandler handler);
    // Each returns the error text for an unknown handle.
    std::optional<QString> RemoveTrigger(int handle);
    std::optional<QString> SetTriggerEnabled(int handle, bool enabled);
    std::optional<QString> SetTriggerInterval(int handle, qint64 intervalMs);

    TTrigger *trigger(int handle);
    int triggerCount() const { return int(m_triggers.size()); }
    // The shared timer's interval, -1 when there is no timer.
    qint64 timerIntervalMs() const { return m_timerIntervalMs; }

private:
    void rebuildTimer();
    void schedule();
    void tick();
    static QString invalidHandle(int handle);

    Scheduler &m_scheduler;
    std::map<int, std::unique_ptr<TTrigger>> m_triggers;
    qint64 m_timerIntervalMs = -1;
    Scheduler::TimerId m_timerId = 0;
    bool m_timerActive = false;
    qint64 m_lastTickMs = 0;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
