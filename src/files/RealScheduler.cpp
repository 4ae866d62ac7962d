#include "files/RealScheduler.h"

#include <QTimer>

RealScheduler::RealScheduler()
{
    m_elapsed.start();
}

RealScheduler::~RealScheduler() = default;

qint64 RealScheduler::tickMs() const
{
    return m_elapsed.elapsed();
}

QDateTime RealScheduler::currentDateTime() const
{
    return QDateTime::currentDateTime();
}

Scheduler::TimerId RealScheduler::singleShot(qint64 delayMs, std::function<void()> fn)
{
    const TimerId id = m_nextId++;
    auto *timer = new QTimer(&m_context);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    // QTimer takes an int interval: a wait longer than ~24 days is clamped (no slide waits so
    // long).
    timer->setInterval(int(std::clamp<qint64>(delayMs, 0, std::numeric_limits<int>::max())));
    QObject::connect(timer, &QTimer::timeout, &m_context, [this, id, fn = std::move(fn)]() {
        auto it = m_timers.find(id);
        if (it == m_timers.end())
            return;
        it->second->deleteLater();
        m_timers.erase(it);
        fn();
    });
    m_timers[id] = timer;
    timer->start();
    return id;
}

void RealScheduler::cancel(TimerId id)
{
    auto it = m_timers.find(id);
    if (it == m_timers.end())
        return;
    it->second->stop();
    it->second->deleteLater();
    m_timers.erase(it);
}
