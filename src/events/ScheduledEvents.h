#pragma once

#include <QDateTime>

namespace events {

// What the clock tick and the clock window's showing ask of the scheduler.
class ScheduledEvents
{
public:
    virtual ~ScheduledEvents() = default;
    // The next row at or after `start` due in the second of `now`, or a negative number. `now` is
    // the time the clock's tick read: a scan that read the clock again could see the next second
    // and miss the one the tick saw.
    virtual int FindDueEvent(int start, const QDateTime& now) = 0;
    // The next active start-up row at or after `start`, or a negative number.
    virtual int FindStartEvent(int start) = 0;
    virtual void RunEvent(int index) = 0;

    // Every event due in the second of `now`, in list order.
    void RunDueEvents(const QDateTime& now);
    // Every active start-up event, in list order.
    void RunStartEvents();
};

// Until the event list exists, nothing is ever due.
class NoScheduledEvents final : public ScheduledEvents
{
public:
    int FindDueEvent(int, const QDateTime&) override { return -1; }
    int FindStartEvent(int) override { return -1; }
    void RunEvent(int) override {}
};

} // namespace events
