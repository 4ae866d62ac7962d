#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class ScreenSaverBus;

// Holds off the screensaver while a run is under way: one inhibition at most, taken when a run
// starts and given back when it ends or when this object goes. Where the service is missing
// nothing happens and nothing is reported.
class ScreenSaverInhibitor
{
public:
    explicit ScreenSaverInhibitor(ScreenSaverBus &bus) : m_bus(&bus) {}
    ~ScreenSaverInhibitor();
    ScreenSaverInhibitor(const ScreenSaverInhibitor &) = delete;
    ScreenSaverInhibitor &operator=(const ScreenSaverInhibitor &) = delete;

    // Switches the bus (tests use a fake); a held inhibition is given back to the old bus and
    // taken again from the new one.
    void setBus(ScreenSaverBus &bus);
    void runStateChanged(bool presenting);
    bool holding() const { return m_cookie.has_value(); }

private:
    void take();
    void release();

    ScreenSaverBus *m_bus;
    std::optional<std::uint32_t> m_cookie;
    bool m_presenting = false;
};
