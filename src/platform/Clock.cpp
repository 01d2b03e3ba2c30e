#include "platform/Clock.h"

#include <ctime>

namespace platform {

QDateTime SystemClock::now() const
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    if (ts.tv_sec - m_zoneReadAt >= 60 || ts.tv_sec < m_zoneReadAt) {
        tzset();
        m_zoneReadAt = ts.tv_sec;
    }
    std::tm local{};
    if (!localtime_r(&ts.tv_sec, &local))
        return QDateTime::currentDateTime();
    const qint64 msecs = qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::OffsetFromUTC, int(local.tm_gmtoff));
}

} // namespace platform
