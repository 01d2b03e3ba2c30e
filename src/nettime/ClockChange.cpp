#include "nettime/ClockChange.h"

#include <QTimeZone>
#include <cstdlib>

namespace nettime {

ChangeParts splitChange(qint64 change)
{
    const qint64 ms = std::abs(change);
    return {ms / 3600000, int(ms / 60000 % 60), int(ms / 1000 % 60), int(ms % 1000)};
}

QString changeAmountText(qint64 ms)
{
    const ChangeParts p = splitChange(ms);
    return QString::asprintf(" %c%.2lld:%.2d:%.2d.%.3d", ms < 0 ? '-' : '+', p.hours, p.minutes, p.seconds,
                             p.milliseconds);
}

QString totalAmountText(qint64 ms)
{
    const ChangeParts p = splitChange(ms);
    return QString::asprintf(" %c%.2lld:%.2d:%.2d", ms < 0 ? '-' : '+', p.hours, p.minutes, p.seconds);
}

std::optional<QDateTime> instantOfWallTime(const QTime& wall, const QDateTime& now, const QTimeZone& zone)
{
    constexpr qint64 halfADay = 12 * 3600 * 1000;
    const QDate today = now.toTimeZone(zone).date();
    std::optional<QDateTime> nearest;
    for (int day = -1; day <= 1; ++day) {
        // The wall-clock time read as UTC; each offset the zone has around it gives one candidate,
        // which counts where the zone really has that offset at that instant.
        const QDateTime asUtc(today.addDays(day), wall, Qt::UTC);
        for (const int probe : {-86400, 0, 86400}) {
            const int offset = zone.offsetFromUtc(asUtc.addSecs(probe));
            const QDateTime candidate = asUtc.addSecs(-offset);
            if (zone.offsetFromUtc(candidate) != offset)
                continue;
            if (!nearest || std::abs(now.msecsTo(candidate)) < std::abs(now.msecsTo(*nearest)))
                nearest = candidate;
        }
    }
    if (!nearest || std::abs(now.msecsTo(*nearest)) > halfADay)
        return std::nullopt;
    return nearest;
}

} // namespace nettime
