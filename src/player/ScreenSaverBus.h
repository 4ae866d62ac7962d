#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The desktop's screensaver inhibition service: while an inhibition is held neither the
// screensaver nor display sleep starts. The desktop's own service is reached over D-Bus; tests
// use a fake that records the calls.
class ScreenSaverBus
{
public:
    virtual ~ScreenSaverBus() = default;
    // Asks the service to hold off the screensaver; the cookie to give back, or nothing where
    // there is no service (no session bus, no screensaver, a refusal).
    virtual std::optional<std::uint32_t> inhibit(const QString &application,
                                                 const QString &reason) = 0;
    virtual void uninhibit(std::uint32_t cookie) = 0;
};
