#pragma once

namespace events {

// What the clock tick and the clock window's showing ask of the scheduler.
class ScheduledEvents
{
public:
    virtual ~ScheduledEvents() = default;
    // The next row at or after `start` due in the current second, or a negative number.
    virtual int FindDueEvent(int start) = 0;
    // The next active start-up row at or after `start`, or a negative number.
    virtual int FindStartEvent(int start) = 0;
    virtual void RunEvent(int index) = 0;
};

// Until the event list exists, nothing is ever due.
class NoScheduledEvents final : public ScheduledEvents
{
public:
    int FindDueEvent(int) override { return -1; }
    int FindStartEvent(int) override { return -1; }
    void RunEvent(int) override {}
};

} // namespace events
