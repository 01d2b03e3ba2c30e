#include "nettime/ClockChange.h"

#include <cmath>

namespace nettime {

ChangeParts splitChange(double days)
{
    constexpr qint64 msPerDay = 86400000;
    const qint64 ms = std::llround(std::fabs(days) * double(msPerDay)) % msPerDay;
    return {int(ms / 3600000), int(ms / 60000 % 60), int(ms / 1000 % 60), int(ms % 1000)};
}

QString changeAmountText(double days)
{
    const ChangeParts p = splitChange(days);
    return QString::asprintf(" %.2d:%.2d:%.2d.%.3d", p.hours, p.minutes, p.seconds, p.milliseconds);
}

QString totalAmountText(double days)
{
    const ChangeParts p = splitChange(days);
    return QString::asprintf(days >= 0 ? " +%.2d:%.2d:%.2d" : " -%.2d:%.2d:%.2d", p.hours, p.minutes,
                             p.seconds);
}

DayTime pickerWithTime(DayTime picker, DayTime v)
{
    const double fraction = v - std::trunc(v);
    const double wholeDays = std::trunc(picker);
    if (fraction == picker - wholeDays)
        return picker;
    return wholeDays + fraction;
}

DayTime localFromUtc(const QTime& utc, qint32 biasMinutes)
{
    return utc.msecsSinceStartOfDay() / 86400000.0 - biasMinutes / core::MinutesPerDay;
}

} // namespace nettime
