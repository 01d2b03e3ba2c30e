#pragma once

#include "core/DayTime.h"
#include "platform/ClockSetter.h"

#include <QDateTime>

namespace platform {
class Clock;
}

namespace nettime {

using core::DayTime;

// The changes made to the computer's clock during the run, in days: the last one, which can be
// undone, and the sum of all, which a cancelled configuration dialog takes back. Only changes the
// system made count: a refused one leaves both as they were, so no undo ever takes back a change
// that never happened.
class ClockAdjustment
{
public:
    ClockAdjustment(platform::Clock& clock, platform::ClockSetter& setter);

    double LastChange() const { return m_lastChange; }
    double TotalChange() const { return m_totalChange; }

    struct Applied
    {
        platform::ClockSetter::Result result;
        double change; // the new time of day minus the one before, whether or not it was made
        QDateTime target;
    };
    // Sets the clock to today's date at the time of day of a picker value. Only the time of day
    // changes, so "almost a day back" is what a time just past midnight becomes just before it.
    Applied applyTimeOfDay(DayTime picker);

    struct Undone
    {
        platform::ClockSetter::Result result;
        QDateTime target;
    };
    // Takes x days off the clock as it is now (the date follows across midnight either way).
    Undone undo(double x);

private:
    platform::Clock& m_clock;
    platform::ClockSetter& m_setter;
    double m_lastChange = 0;
    double m_totalChange = 0;
};

} // namespace nettime
