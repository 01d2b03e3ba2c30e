#pragma once

#include "core/DayTime.h"

#include <QString>

namespace nettime {

using core::DayTime;

// A change of the clock in hours, minutes, seconds and milliseconds: the size of a signed amount
// of days, rounded to the millisecond, whole days dropped.
struct ChangeParts
{
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int milliseconds = 0;
    bool operator==(const ChangeParts&) const = default;
    // Under a second: nothing worth undoing, nothing worth reporting as a total.
    bool underASecond() const { return hours == 0 && minutes == 0 && seconds == 0; }
};
ChangeParts splitChange(double days);

// " 00:00:05.000": the size of the last change, without a sign.
QString changeAmountText(double days);
// " +00:00:05" or " -00:00:05": the running total, with its sign.
QString totalAmountText(double days);

// The time picker's rule for being given a time of day v: the picker keeps its date and takes
// v's fraction of a day with v's sign, so a negative v lands on the day before. An unchanged
// fraction leaves the picker as it is.
DayTime pickerWithTime(DayTime picker, DayTime v);

// A UTC time of day turned into local time with a bias in minutes (UTC = local time + bias):
// a fraction of a day, below 0 or a day and more where the zone's day differs from UTC's.
DayTime localFromUtc(const QTime& utc, qint32 biasMinutes);

} // namespace nettime
