#pragma once

#include "player/ScreenSaverBus.h"

// The freedesktop screensaver service on the session bus (org.freedesktop.ScreenSaver), which
// the common desktops provide. Without a session bus or the service every call does nothing.
class DBusScreenSaverBus : public ScreenSaverBus
{
public:
    std::optional<std::uint32_t> inhibit(const QString &application,
                                         const QString &reason) override;
    void uninhibit(std::uint32_t cookie) override;
};
