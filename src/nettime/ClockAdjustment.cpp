#include "nettime/ClockAdjustment.h"

#include "platform/Clock.h"

#include <cmath>

namespace nettime {

using platform::ClockSetter;

ClockAdjustment::ClockAdjustment(platform::Clock& clock, ClockSetter& setter)
    : m_clock(clock), m_setter(setter)
{
}

ClockAdjustment::Applied ClockAdjustment::applyTimeOfDay(DayTime picker)
{
    const QDateTime now = m_clock.now();
    const DayTime timeOfDay = picker - std::floor(picker);
    const double change = timeOfDay - core::dayTime(QDate(1899, 12, 30), now.time());
    const QDateTime target(now.date(), core::timeOf(timeOfDay));
    const ClockSetter::Result result = m_setter.setLocalTime(target);
    if (result == ClockSetter::Result::Set) {
        m_lastChange = change;
        m_totalChange += change;
    }
    return {result, change, target};
}

ClockAdjustment::Undone ClockAdjustment::undo(double x)
{
    const QDateTime target = m_clock.now().addMSecs(-std::llround(x * 86400000.0));
    const ClockSetter::Result result = m_setter.setLocalTime(target);
    if (result == ClockSetter::Result::Set) {
        m_totalChange -= x;
        m_lastChange = 0;
    }
    return {result, target};
}

} // namespace nettime
