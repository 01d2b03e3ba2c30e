#include "nettime/ClockAdjustment.h"

namespace nettime {

using platform::ClockSetter;

ClockSetter::Result ClockAdjustment::change(qint64 delta)
{
    const ClockSetter::Result result = m_setter.changeBy(delta);
    if (result == ClockSetter::Result::Set)
        m_totalChange += delta;
    return result;
}

ClockSetter::Result ClockAdjustment::apply(qint64 delta)
{
    const ClockSetter::Result result = change(delta);
    if (result == ClockSetter::Result::Set)
        m_lastChange = delta;
    return result;
}

ClockSetter::Result ClockAdjustment::undo(qint64 x)
{
    const ClockSetter::Result result = change(-x);
    if (result == ClockSetter::Result::Set)
        m_lastChange = 0;
    return result;
}

} // namespace nettime
