#include "events/ScheduledEvents.h"

namespace events {

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
