#include "events/ScheduledEvents.h"

namespace events {

void ScheduledEvents::RunDueEvents(const QDateTime& now)
{
    for (int i = 0;;) {
        const int k = FindDueEvent(i, now);
        if (k < 0)
            return;
        RunEvent(k);
        i = k + 1;
    }
}

void ScheduledEvents::RunStartEvents()
{
    for (int i = 0;;) {
        const int k = FindStartEvent(i);
        if (k < 0)
            return;
        RunEvent(k);
        i = k + 1;
    }
}

} // namespace events
