#include "media/TTrigger.h"

namespace {
constexpr qint64 kEarlyFiringMs = 23;
}

TTrigger::TTrigger(int handle, qint64 intervalMs, int count, bool enabled, qint64 nowMs,
                   TriggerHandler handler)
    : m_handle(handle), m_enabled(enabled && count != 0),
      m_intervalMs(qMax(intervalMs, kMinIntervalMs)), m_count(count == 0 ? -1 : count),
      m_createdMs(nowMs), m_lastFiredMs(nowMs), m_handler(std::move(handler))
{}

TTrigger::~TTrigger()
{
    if (onDestroy)
        onDestroy(*this);
}

bool TTrigger::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return true;
    if (onChangeEnabled && !onChangeEnabled(*this, enabled))
        return false;
    m_enabled = enabled;
    return true;
}

bool TTrigger::isDue(qint64 nowMs) const
{
    return m_enabled && nowMs - m_lastFiredMs >= m_intervalMs - kEarlyFiringMs;
}

QString TTrigger::fire(qint64 nowMs)
{
    // The handler may remove this trigger or free its pool: everything the trigger itself keeps
    // is settled first, and the handler runs from a copy, touching nothing of the trigger after.
    m_lastFiredMs = nowMs;
    if (m_count > 0 && --m_count == 0) {
        m_enabled = false;
        m_count = -1;
    }
    const TriggerHandler handler = m_handler;
    return handler ? handler(*this) : QString();
}
