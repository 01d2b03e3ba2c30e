#pragma once

#include <QDateTime>

namespace events {

// What the clock tick and the clock window's showing ask of the scheduler.
class ScheduledEvents
{
public:
    virtual ~ScheduledEvents() = default;
    // Runs the events due since the last call, up to the second of `now`: told on every tick, it
    // decides itself which seconds are new. `now` is the time the tick read: a scan that read the
    // clock again could see the next second and pass over the one the tick saw.
    virtual void RunDueEvents(const QDateTime& now) = 0;
    // The next active start-up row at or after `start`, or a negative number.
    virtual int FindStartEvent(int start) = 0;
    virtual void RunEvent(int index) = 0;

    // Every active start-up event, in list order.
    void RunStartEvents();
};

// Until the event list exists, nothing is ever due.
class NoScheduledEvents final : public ScheduledEvents
{
public:
    void RunDueEvents(const QDateTime&) override {}
    int FindStartEvent(int) override { return -1; }
    void RunEvent(int) override {}
};

} // namespace events
