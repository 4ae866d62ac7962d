#pragma once

#include "player/ScreenSaverBus.h"

// The freedesktop screensaver service on the session bus (org.freedesktop.ScreenSaver), which
// the common desktops provide. Without a session bus or the service every call does nothing;
// where no session bus can be reached at all, the bus is not even asked for.
class DBusScreenSaverBus : public ScreenSaverBus
{
public:
    std::optional<std::uint32_t> inhibit(const QString &application,
                                         const QString &reason) override;
    void uninhibit(std::uint32_t cookie) override;
};
