#include "clockface/ShownTime.h"

namespace clockface {

QTime shownTime(const QTime& local, const TimeOffset& offset, bool active)
{
    if (!active || !local.isValid())
        return QTime(0, 0);
    if (offset.isZero())
        return local;
    constexpr qint64 day = 86400;
    qint64 t = qint64(local.hour()) * 3600 + local.minute() * 60 + local.second() +
               qint64(offset.Hours) * 3600 + qint64(offset.Minutes) * 60 + qint64(offset.Seconds);
    t %= day;
    if (t < 0)
        t += day;
    return QTime(int(t / 3600), int(t % 3600 / 60), int(t % 60), local.msec());
}

} // namespace clockface
