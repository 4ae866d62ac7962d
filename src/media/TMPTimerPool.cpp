#include "media/TMPTimerPool.h"

#include "files/Prompter.h"

#include <vector>

TMPTimerPool::TMPTimerPool(Scheduler &scheduler) : m_scheduler(scheduler)
{
    m_lastTickMs = scheduler.tickMs();
}

TMPTimerPool::~TMPTimerPool()
{
    *m_alive = false;
    if (m_timerActive)
        m_scheduler.cancel(m_timerId);
    m_triggers.clear();
}

std::shared_ptr<TMPTimerPool> TMPTimerPool::shared(Scheduler &scheduler)
{
    // One weak entry per scheduler: the pool lives exactly as long as its pictures.
    static std::map<Scheduler *, std::weak_ptr<TMPTimerPool>> pools;
    std::weak_ptr<TMPTimerPool> &entry = pools[&scheduler];
    if (std::shared_ptr<TMPTimerPool> pool = entry.lock())
        return pool;
    auto pool = std::make_shared<TMPTimerPool>(scheduler);
    pool->DefEnabled = false;
    entry = pool;
    return pool;
}

QString TMPTimerPool::invalidHandle(int handle)
{
    return QStringLiteral("Invalid trigger handle %1").arg(handle);
}

int TMPTimerPool::AddTrigger(qint64 intervalMs, int count, TriggerHandler handler)
{
    int handle = 0;
    while (m_triggers.count(handle))
        ++handle;
    m_triggers[handle] = std::make_unique<TTrigger>(handle, intervalMs, count, DefEnabled,
                                                    m_scheduler.tickMs(), std::move(handler));
    rebuildTimer();
    return handle;
}

TTrigger *TMPTimerPool::trigger(int handle)
{
    const auto it = m_triggers.find(handle);
    return it == m_triggers.end() ? nullptr : it->second.get();
}

std::optional<QString> TMPTimerPool::RemoveTrigger(int handle)
{
    const auto it = m_triggers.find(handle);
    if (it == m_triggers.end())
        return invalidHandle(handle);
    std::unique_ptr<TTrigger> gone = std::move(it->second);
    m_triggers.erase(it);
    gone.reset();
    rebuildTimer();
    return std::nullopt;
}

std::optional<QString> TMPTimerPool::SetTriggerEnabled(int handle, bool enabled)
{
    TTrigger *t = trigger(handle);
    if (!t)
        return invalidHandle(handle);
    const bool wasEnabled = t->enabled();
    if (t->setEnabled(enabled) && enabled && !wasEnabled) {
        // A trigger switched on counts its interval from now, not from its last firing.
        t->restartAt(m_scheduler.tickMs());
    }
    rebuildTimer();
    return std::nullopt;
}

std::optional<QString> TMPTimerPool::SetTriggerInterval(int handle, qint64 intervalMs)
{
    TTrigger *t = trigger(handle);
    if (!t)
        return invalidHandle(handle);
    t->setIntervalMs(intervalMs);
    rebuildTimer();
    return std::nullopt;
}

void TMPTimerPool::rebuildTimer()
{
    qint64 shortest = -1;
    for (const auto &[handle, t] : m_triggers)
        if (t->enabled() && (shortest < 0 || t->intervalMs() < shortest))
            shortest = t->intervalMs();
    if (shortest < 0) {
        if (m_timerActive)
            m_scheduler.cancel(m_timerId);
        m_timerActive = false;
        m_timerIntervalMs = -1;
        return;
    }
    shortest = qMax(shortest, TTrigger::kMinIntervalMs);
    if (m_timerActive && shortest == m_timerIntervalMs)
        return;
    if (m_timerActive)
        m_scheduler.cancel(m_timerId);
    m_timerIntervalMs = shortest;
    m_lastTickMs = m_scheduler.tickMs();
    schedule();
}

void TMPTimerPool::schedule()
{
    const std::weak_ptr<bool> alive = m_alive;
    m_timerActive = true;
    m_timerId = m_scheduler.singleShot(m_timerIntervalMs, [this, alive]() {
        if (const auto a = alive.lock(); a && *a) {
            m_timerActive = false;
            tick();
        }
    });
}

void TMPTimerPool::tick()
{
    const std::shared_ptr<bool> alive = m_alive;
    const qint64 now = m_scheduler.tickMs();
    // The timer keeps running: schedule the next tick before any handler can change the pool.
    schedule();

    std::vector<int> handles;
    handles.reserve(m_triggers.size());
    for (const auto &[handle, t] : m_triggers)
        handles.push_back(handle);
    bool changed = false;
    for (const int handle : handles) {
        TTrigger *t = trigger(handle);
        if (!t || !t->isDue(now))
            continue;
        const QString error = t->fire(now);
        if (!*alive)
            return; // a handler freed the pool
        if (!error.isEmpty() && prompter)
            prompter->ShowError(error);
        if (TTrigger *after = trigger(handle); after && !after->enabled())
            changed = true;
    }
    const qint64 elapsed = now - m_lastTickMs;
    m_lastTickMs = now;
    if (OnAllTriggers)
        OnAllTriggers(*this, -1, m_timerIntervalMs, elapsed);
    if (*alive && changed)
        rebuildTimer();
}
