#pragma once

#include "events/DueRule.h"
#include "events/ScheduledEvents.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <vector>

namespace core {
class LocaleFormats;
} // namespace core

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
    Scheduler(EventList& list, const core::LocaleFormats& locale, EventActions& actions,
              std::function<bool()> saveList);

    int FindDueEvent(int start, const QDateTime& now) override;
    int FindStartEvent(int start) override;
    // The action runs from the event loop right after the caller returns, on a copy of the row.
    // So the clock's tick, which finds the event, is never inside an action: a box or a wait there
    // would hold the tick's timer (a timer does not fire again while its own handler runs), the
    // face would stand still and the seconds meanwhile would not be scanned.
    void RunEvent(int index) override;

    // The last timed event found due, so one event does not run twice in the same second.
    struct Memo
    {
        int index = 0;
        quint8 second = 0, minute = 0, hour = 0;
        qint64 day = 0;
    } LastFired;

private:
    // A row's schedule as read from its texts; read again only when one of them has changed.
    const EventSchedule& scheduleOf(int index);

    struct ReadSchedule
    {
        QString scheduleName, dayDate, timeText; // the texts it was read from
        EventSchedule schedule;
        bool read = false;
    };

    EventList& m_list;
    const core::LocaleFormats& m_locale;
    EventActions& m_actions;
    std::function<bool()> m_saveList;
    // The language is fixed for a run, so the names are too.
    std::vector<ReadSchedule> m_schedules; // by row
    QObject m_pendingActions;              // actions not yet run go with the scheduler
};

} // namespace events
