#pragma once

#include <QTime>

namespace clockface {

struct TimeOffset
{
    qint32 Hours = 0;
    qint32 Minutes = 0;
    qint32 Seconds = 0;

    bool isZero() const { return Hours == 0 && Minutes == 0 && Seconds == 0; }
};

// The time of day a face shows: the local time shifted by the offset and wrapped into one day
// (the milliseconds are kept), or midnight for a face that is not running. Any offset, however
// large, wraps without overflow.
QTime shownTime(const QTime& local, const TimeOffset& offset, bool active);

} // namespace clockface
