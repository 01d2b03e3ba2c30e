#pragma once

#include "platform/ClockSetter.h"

namespace nettime {

// The changes made to the computer's clock during the run, in milliseconds: the last one, which
// can be undone, and the sum of all, which a cancelled configuration dialog takes back. Each is a
// difference of instants, the very amount the system was asked to move the clock by, so what is
// reported, what is set and what is undone agree. Only changes the system made count: a refused
// one leaves both as they were, so no undo ever takes back a change that never happened.
class ClockAdjustment
{
public:
    explicit ClockAdjustment(platform::ClockSetter& setter) : m_setter(setter) {}

    qint64 LastChange() const { return m_lastChange; }
    qint64 TotalChange() const { return m_totalChange; }

    platform::ClockSetter::Result apply(qint64 delta);
    // Takes x back off the clock; the last change is then nothing.
    platform::ClockSetter::Result undo(qint64 x);

private:
    platform::ClockSetter::Result change(qint64 delta);

    platform::ClockSetter& m_setter;
    qint64 m_lastChange = 0;
    qint64 m_totalChange = 0;
};

} // namespace nettime
