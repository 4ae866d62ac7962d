#pragma once

#include "files/Scheduler.h"

#include <QElapsedTimer>
#include <QObject>

#include <map>

class QTimer;

// Scheduler on the system clock and Qt timers, for the running program.
class RealScheduler : public Scheduler
{
public:
    RealScheduler();
    ~RealScheduler() override;

    qint64 tickMs() const override;
    QDateTime currentDateTime() const override;
    TimerId singleShot(qint64 delayMs, std::function<void()> fn) override;
    void cancel(TimerId id) override;

private:
    QElapsedTimer m_elapsed;
    QObject m_context; // owns the timers; they die with the scheduler
    std::map<TimerId, QTimer *> m_timers;
    TimerId m_nextId = 1;
};
