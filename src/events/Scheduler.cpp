#include "events/Scheduler.h"

#include "events/EventActions.h"
#include "events/EventList.h"

namespace events {

namespace {

// Whether a text is still the one kept: a kept copy shares the text's characters until either
// changes, so the same characters mean the same text without comparing them.
bool unchanged(const QString& kept, const QString& now)
{
    return (kept.constData() == now.constData() && kept.size() == now.size()) || kept == now;
}

} // namespace

Scheduler::Scheduler(EventList& list, const core::LocaleFormats& locale, EventActions& actions,
                     std::function<bool()> saveList)
    : m_list(list), m_locale(locale), m_actions(actions), m_saveList(std::move(saveList))
{
}

const EventSchedule& Scheduler::scheduleOf(int index)
{
    const EventRecord& row = m_list.row(index);
    ReadSchedule& kept = m_schedules[size_t(index)];
    if (!kept.read || !unchanged(kept.scheduleName, row.text(ScheduleName)) ||
        !unchanged(kept.dayDate, row.text(DayDate)) || !unchanged(kept.timeText, row.text(TimeText))) {
        kept.scheduleName = row.text(ScheduleName);
        kept.dayDate = row.text(DayDate);
        kept.timeText = row.text(TimeText);
        kept.schedule = readSchedule(row, scheduleNames(), weekdayNames(), m_locale);
        kept.read = true;
    }
    return kept.schedule;
}

int Scheduler::FindDueEvent(int start, const QDateTime& now)
{
    const qint64 day = now.date().toJulianDay();
    const QTime time = now.time();
    const int H = time.hour(), M = time.minute(), S = time.second();
    const bool sameMomentAsLastFired = LastFired.second == S && LastFired.minute == M &&
                                       LastFired.hour == H && LastFired.day == day;
    m_schedules.resize(size_t(m_list.count()));

    for (int i = std::max(start, 0); i < m_list.count(); ++i) {
        if (!m_list.row(i).Active)
            continue;
        if (i <= LastFired.index && sameMomentAsLastFired)
            continue;
        // A row whose date or time cannot be read is passed over; the rows after it still count.
        if (!isDueAt(scheduleOf(i), now))
            continue;

        if (m_schedules[size_t(i)].schedule.kind == skOneTime) {
            m_list.setActive(i, false);
            // A failed save is not reported, and does not stop the event: the unchecking stays in
            // the list and is written with the next save.
            if (m_saveList)
                m_saveList();
        }
        LastFired = {i, quint8(S), quint8(M), quint8(H), day};
        return i;
    }
    return -1;
}

int Scheduler::FindStartEvent(int start)
{
    const QStringList names = scheduleNames();
    for (int i = std::max(start, 0); i < m_list.count(); ++i) {
        const EventRecord& row = m_list.row(i);
        if (row.Active && positionOf(names, row.text(ScheduleName)) == skStart)
            return i;
    }
    return -1;
}

void Scheduler::RunEvent(int index)
{
    if (index < 0 || index >= m_list.count())
        return;
    QMetaObject::invokeMethod(
        &m_pendingActions, [this, row = m_list.row(index)] { m_actions.RunEvent(row); },
        Qt::QueuedConnection);
}

} // namespace events
