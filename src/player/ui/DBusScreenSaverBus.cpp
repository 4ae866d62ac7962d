#include "player/ui/DBusScreenSaverBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QFileInfo>
#include <QVariant>

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
// A screensaver that does not answer soon must not hold up the start of a run.
constexpr int kTimeoutMs = 1000;

// Whether a session bus may be reached: its address is given, the user's runtime folder holds
// its socket, or an X display could launch one. Asking Qt for the session bus without any of
// them starts Qt's bus thread for nothing, on kiosks, remote sessions and test machines alike.
bool sessionBusMayExist()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") ||
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

// The session bus when it is there and the service is registered on it.
std::optional<QDBusConnection> serviceBus()
{
    if (!sessionBusMayExist())
        return std::nullopt;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return std::nullopt;
    const QDBusConnectionInterface *registry = bus.interface();
    if (!registry || !registry->isServiceRegistered(kService).value())
        return std::nullopt;
    return bus;
}

} // namespace

std::optional<std::uint32_t> DBusScreenSaverBus::inhibit(const QString &application,
                                                         const QString &reason)
{
    std::optional<QDBusConnection> bus = serviceBus();
    if (!bus)
        return std::nullopt;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Inhibit"));
    call << application << reason;
    const QDBusReply<uint> reply = bus->call(call, QDBus::Block, kTimeoutMs);
    if (!reply.isValid())
        return std::nullopt;
    return std::uint32_t(reply.value());
}

void DBusScreenSaverBus::uninhibit(std::uint32_t cookie)
{
    std::optional<QDBusConnection> bus = serviceBus();
    if (!bus)
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("UnInhibit"));
    call << uint(cookie);
    bus->call(call, QDBus::Block, kTimeoutMs);
}
