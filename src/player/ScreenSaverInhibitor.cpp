#include "player/ScreenSaverInhibitor.h"

#include "player/ScreenSaverBus.h"

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    release();
}

void ScreenSaverInhibitor::setBus(ScreenSaverBus &bus)
{
    release();
    m_bus = &bus;
    if (m_presenting)
        take();
}

void ScreenSaverInhibitor::runStateChanged(bool presenting)
{
    m_presenting = presenting;
    if (presenting)
        take();
    else
        release();
}

void ScreenSaverInhibitor::take()
{
    // A run resumed without ending first keeps the inhibition it holds.
    if (m_cookie)
        return;
    m_cookie = m_bus->inhibit(QStringLiteral("Pelvar"), QStringLiteral("Presentació en curs"));
}

void ScreenSaverInhibitor::release()
{
    if (!m_cookie)
        return;
    const std::uint32_t cookie = *m_cookie;
    m_cookie.reset();
    m_bus->uninhibit(cookie);
}
