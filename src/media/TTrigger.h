#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

class TTrigger;

// Called at each firing; a non-empty return is an error to show the user (the other triggers
// still fire).
using TriggerHandler = std::function<QString(TTrigger &)>;

// One timed trigger of a TMPTimerPool. The pool owns it; callers address it by handle.
class TTrigger
{
public:
    // Intervals shorter than this are raised to it.
    static constexpr qint64 kMinIntervalMs = 55;

    TTrigger(int handle, qint64 intervalMs, int count, bool enabled, qint64 nowMs,
             TriggerHandler handler);
    ~TTrigger();
    TTrigger(const TTrigger &) = delete;
    TTrigger &operator=(const TTrigger &) = delete;

    int handle() const { return m_handle; }
    bool enabled() const { return m_enabled; }
    qint64 intervalMs() const { return m_intervalMs; }
    int count() const { return m_count; } // remaining firings, -1 without end
    qint64 createdMs() const { return m_createdMs; }
    qint64 lastFiredMs() const { return m_lastFiredMs; }

    // Returns false when the change handler refused it.
    bool setEnabled(bool enabled);
    void setIntervalMs(qint64 ms) { m_intervalMs = qMax(ms, kMinIntervalMs); }
    // Counts the next interval from `nowMs`.
    void restartAt(qint64 nowMs) { m_lastFiredMs = nowMs; }

    // Due when its last firing is at least (interval - 23) ms ago: firing a little early beats
    // waiting a whole extra tick.
    bool isDue(qint64 nowMs) const;
    // Calls the handler and counts the firing; returns the handler's error text.
    QString fire(qint64 nowMs);

    std::function<void(TTrigger &)> onDestroy;
    // Asked before the enabled state changes; returning false keeps the old state.
    std::function<bool(TTrigger &, bool newEnabled)> onChangeEnabled;

private:
    int m_handle;
    bool m_enabled;
    qint64 m_intervalMs;
    int m_count;
    qint64 m_createdMs;
    qint64 m_lastFiredMs;
    TriggerHandler m_handler;
};
