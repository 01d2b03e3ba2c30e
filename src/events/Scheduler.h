#pragma once

#include "events/ScheduledEvents.h"

#include <QStringList>
#include <functional>

namespace platform {
class Clock;
class LocaleFormats;
} // namespace platform

namespace events {

class EventList;
class EventActions;

// Decides which events are due. Timed events are due in one exact second of local time and are
// found once for every new second the clock observes; start-up events run each time the clock
// window is shown. A second that is not observed is not caught up later.
class Scheduler final : public ScheduledEvents
{
public:
    // `saveList` writes the list after a one-time event has fired; its failure is not reported.
    Scheduler(EventList& list, const platform::Clock& clock, const platform::LocaleFormats& locale,
              EventActions& actions, std::function<bool()> saveList);

    int FindDueEvent(int start) override;
    int FindStartEvent(int start) override;
    void RunEvent(int index) override;

    // The last timed event found due, so one event does not run twice in the same second.
    struct Memo
    {
        int index = 0;
        quint8 second = 0, minute = 0, hour = 0;
        qint64 day = 0;
    } LastFired;

private:
    EventList& m_list;
    const platform::Clock& m_clock;
    const platform::LocaleFormats& m_locale;
    EventActions& m_actions;
    std::function<bool()> m_saveList;
    // The language is fixed for a run, so the names are too.
    QStringList m_scheduleNames;
    QStringList m_weekdayNames;
};

} // namespace events
