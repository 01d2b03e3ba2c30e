#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

class QTimeZone;

namespace nettime {

// A change of the clock in hours (however many), minutes, seconds and milliseconds: the size of a
// signed amount of milliseconds.
struct ChangeParts
{
    qint64 hours = 0;
    int minutes = 0;
    int seconds = 0;
    int milliseconds = 0;
    bool operator==(const ChangeParts&) const = default;
    // Under a second: nothing worth undoing, nothing worth reporting as a total.
    bool underASecond() const { return hours == 0 && minutes == 0 && seconds == 0; }
};
ChangeParts splitChange(qint64 ms);

// " +00:00:05.000" or " -00:00:05.000": the last change, and which way the clock moved.
QString changeAmountText(qint64 ms);
// " +00:00:05" or " -00:00:05": the running total.
QString totalAmountText(qint64 ms);

// The instant a time of day picked by hand stands for: that wall-clock time in `zone` on the day
// before, of or after `now`, whichever instant is nearest `now`. So the date never makes a change
// of more than twelve hours, and in an hour that comes twice (when the clocks go back) it is the
// one the clock is in. Nothing when the time does not come near `now` at all: it lies in the hour
// skipped when the clocks go forward.
std::optional<QDateTime> instantOfWallTime(const QTime& wall, const QDateTime& now, const QTimeZone& zone);

} // namespace nettime
