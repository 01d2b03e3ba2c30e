#pragma once

#include "events/DueRule.h"
#include "events/EventActions.h"
#include "events/ScheduledEvents.h"

#include <QHash>
#include <QObject>
#include <functional>
#include <optional>
#include <vector>

namespace core {
class LocaleFormats;
} // namespace core

namespace platform {
class MessageBoxes;
} // namespace platform

namespace events {

class EventList;

// Decides which events are due. Timed events are due in one second of wall-clock time. Every
// second from the last one scanned up to the tick's is looked at, so a tick that comes late (a
// busy machine, a stopped process, a suspended laptop, a clock set forward) loses nothing: what
// fell due meanwhile runs once, and a box of something due a minute or more ago says when it was
// due. A row never runs a time again that is not later than the time it last ran, so neither a
// clock set back nor the hour repeated when daylight saving time ends runs anything twice.
// Start-up events run each time the clock window is shown.
class Scheduler final : public ScheduledEvents
{
public:
    // `saveFired` writes the file after the one-time event of this row has fired; its failure is
    // not reported. A row whose date or time cannot be read is said once a run in `messages`.
    Scheduler(EventList& list, const core::LocaleFormats& locale, EventActions& actions,
              platform::MessageBoxes& messages, std::function<bool(int row)> saveFired);

    void RunDueEvents(const QDateTime& now) override;
    int FindStartEvent(int start) override;
    // The action runs from the event loop right after the caller returns, on a copy of the row.
    // So the clock's tick, which finds the event, is never inside an action: a box or a wait there
    // would hold the tick's timer (a timer does not fire again while its own handler runs), the
    // face would stand still and the seconds meanwhile would not be scanned.
    void RunEvent(int index) override;

    // A reminder asked for again later ("Remind me again in 5 minutes").
    void Snooze(const EventAction& action, int minutes);

private:
    // A row's schedule as read from its texts; read again only when one of them has changed.
    const EventSchedule& scheduleOf(int index);
    void fire(int index, qint64 dueAt, qint64 now);
    void perform(EventRecord row, QString lateNote);
    void runSnoozed(const QDateTime& now);
    void sayUnreadableRows();

    struct ReadSchedule
    {
        QString scheduleName, dayDate, timeText; // the texts it was read from
        EventSchedule schedule;
        bool read = false;
    };
    struct Snoozed
    {
        QDateTime at;
        EventAction action;
    };

    EventList& m_list;
    const core::LocaleFormats& m_locale;
    EventActions& m_actions;
    platform::MessageBoxes& m_messages;
    std::function<bool(int)> m_saveFired;
    // The language is fixed for a run, so the names are too.
    std::vector<ReadSchedule> m_schedules; // by row
    std::optional<qint64> m_scanned;       // the last wall second looked at
    QHash<quint64, qint64> m_lastRan;      // by row: the wall second it last ran for
    std::vector<Snoozed> m_snoozed;
    QDateTime m_now; // as the last tick read it
    bool m_unreadableSaid = false;
    QObject m_pendingActions; // actions not yet run go with the scheduler
};

} // namespace events
