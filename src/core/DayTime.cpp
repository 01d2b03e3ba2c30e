#include "core/DayTime.h"

#include <cmath>

namespace core {

namespace {

const qint64 kEpochJulianDay = QDate(1899, 12, 30).toJulianDay();

} // namespace

DayTime dayTime(const QDate& date, const QTime& time)
{
    return double(date.toJulianDay() - kEpochJulianDay) + time.msecsSinceStartOfDay() / 86400000.0;
}

DayTime dayTime(const QDateTime& wallClock)
{
    return dayTime(wallClock.date(), wallClock.time());
}

QDate dateOf(DayTime value)
{
    const qint64 ms = std::llround(value * 86400000.0);
    return QDate::fromJulianDay(kEpochJulianDay + (ms >= 0 ? ms / 86400000 : -((-ms + 86399999) / 86400000)));
}

QTime timeOf(DayTime value)
{
    const qint64 ms = std::llround(value * 86400000.0);
    const qint64 inDay = ((ms % 86400000) + 86400000) % 86400000;
    return QTime::fromMSecsSinceStartOfDay(int(inDay));
}

} // namespace core
