#pragma once

#include "platform/ClockSetter.h"

#include <QDBusConnection>
#include <QString>
#include <functional>
#include <optional>

namespace platform {

// Sets the clock the way the desktop does: systemd-timedated is asked over D-Bus, with
// interactive authorisation, so that polkit may ask the user for the right. The change is asked
// for relative to the clock as it is when the system acts: a password typed slowly costs no
// seconds. Where timedated cannot be reached (no system bus, no
// such service) the clock is set directly, which works when the process has the right.
class SystemClockSetter final : public ClockSetter
{
public:
    // Sets the clock by `deltaMs`; false when refused. The real one calls clock_settime.
    using DirectSetter = std::function<bool(qint64 deltaMs)>;

    // Without a bus of its own the system bus is used, reached when the clock is first set.
    explicit SystemClockSetter(std::optional<QDBusConnection> bus = std::nullopt,
                               DirectSetter direct = setClockDirectly);

    Result changeBy(qint64 deltaMs) override;

    // How long the user may take to answer polkit's question.
    static constexpr int AuthorisationTimeoutMs = 120000;

    // What a D-Bus error name from timedated means.
    enum class TimedatedAnswer
    {
        AutomaticSyncOn,
        Unreachable, // no timedated to ask: set the clock directly
        Refused,
    };
    static TimedatedAnswer classifyError(const QString& errorName);

    static bool setClockDirectly(qint64 deltaMs);

private:
    std::optional<QDBusConnection> m_bus;
    DirectSetter m_direct;
};

} // namespace platform
