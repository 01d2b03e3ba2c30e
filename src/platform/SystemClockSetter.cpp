#include "platform/SystemClockSetter.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEventLoop>
#include <cerrno>
#include <ctime>

namespace platform {

SystemClockSetter::SystemClockSetter(std::optional<QDBusConnection> bus, DirectSetter direct)
    : m_bus(std::move(bus)), m_direct(std::move(direct))
{
}

SystemClockSetter::TimedatedAnswer SystemClockSetter::classifyError(const QString& errorName)
{
    if (errorName == u"org.freedesktop.timedate1.AutomaticTimeSyncEnabled")
        return TimedatedAnswer::AutomaticSyncOn;
    static const QStringList unreachable{
        QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"),
        QStringLiteral("org.freedesktop.DBus.Error.NameHasNoOwner"),
        QStringLiteral("org.freedesktop.DBus.Error.NoServer"),
        QStringLiteral("org.freedesktop.DBus.Error.Disconnected"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
        QStringLiteral("org.freedesktop.systemd1.NoSuchUnit"),
        QStringLiteral("org.freedesktop.systemd1.UnitMasked"),
    };
    // A service that could not be started ("...Spawn.ChildExited", "...Spawn.ExecFailed") is
    // as absent as one that is not installed: a container without systemd answers so.
    if (unreachable.contains(errorName) || errorName.startsWith(u"org.freedesktop.DBus.Error.Spawn."))
        return TimedatedAnswer::Unreachable;
    return TimedatedAnswer::Refused;
}

bool SystemClockSetter::setClockDirectly(qint64 deltaMs)
{
    timespec now{};
    if (clock_gettime(CLOCK_REALTIME, &now) != 0)
        return false;
    const qint64 targetNs = qint64(now.tv_sec) * 1000000000 + now.tv_nsec + deltaMs * 1000000;
    if (targetNs < 0)
        return false;
    const timespec target{time_t(targetNs / 1000000000), long(targetNs % 1000000000)};
    return clock_settime(CLOCK_REALTIME, &target) == 0;
}

ClockSetter::Result SystemClockSetter::changeBy(qint64 deltaMs)
{
    if (!m_bus)
        m_bus = QDBusConnection::systemBus();
    TimedatedAnswer answer = TimedatedAnswer::Unreachable;
    if (m_bus->isConnected()) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("/org/freedesktop/timedate1"),
            QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("SetTime"));
        // Microseconds, relative, interactive.
        call << qlonglong(deltaMs * 1000) << true << true;
        call.setInteractiveAuthorizationAllowed(true);
        // polkit may ask the user and wait for the answer; the clock keeps ticking meanwhile.
        QDBusPendingCallWatcher watcher(m_bus->asyncCall(call, AuthorisationTimeoutMs));
        if (!watcher.isFinished()) {
            QEventLoop loop;
            QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
            loop.exec();
        }
        // The program's end stops every loop, this one too, and a loop refuses to run once the
        // application is ending; the change may still be made, so its answer is waited for
        // here rather than guessed.
        watcher.waitForFinished();
        if (!watcher.isError())
            return Result::Set;
        answer = classifyError(watcher.error().name());
    }
    switch (answer) {
    case TimedatedAnswer::AutomaticSyncOn:
        return Result::AutomaticSyncOn;
    case TimedatedAnswer::Refused:
        return Result::Refused;
    case TimedatedAnswer::Unreachable:
        break;
    }
    return m_direct && m_direct(deltaMs) ? Result::Set : Result::Refused;
}

} // namespace platform
