#pragma once

#include <QDateTime>

namespace platform {

// The local wall clock. Everything that asks "what time is it" goes through this, so tests can
// stand at 14:00:00 on a Monday without waiting for it.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

// Local time with its UTC offset. The clock asks several times a second; the system's zone
// setting is read again once a minute rather than on every call (daylight-saving changes need no
// re-reading: the zone's rules already hold them).
class SystemClock final : public Clock
{
public:
    QDateTime now() const override;

private:
    mutable qint64 m_zoneReadAt = 0;
};

} // namespace platform
