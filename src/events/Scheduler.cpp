#include "events/Scheduler.h"

#include "events/DateTimeText.h"
#include "events/EventActions.h"
#include "events/EventList.h"
#include "platform/Clock.h"

namespace events {

Scheduler::Scheduler(EventList& list, const platform::Clock& clock, const platform::LocaleFormats& locale,
                     EventActions& actions, std::function<bool()> saveList)
    : m_list(list), m_clock(clock), m_locale(locale), m_actions(actions), m_saveList(std::move(saveList)),
      m_scheduleNames(scheduleNames()), m_weekdayNames(weekdayNames())
{
}

int Scheduler::FindDueEvent(int start)
{
    const QDateTime now = m_clock.now();
    const QDate today = now.date();
    const qint64 day = today.toJulianDay();
    const QTime time = now.time();
    const int H = time.hour(), M = time.minute(), S = time.second();
    const bool sameMomentAsLastFired = LastFired.second == S && LastFired.minute == M &&
                                       LastFired.hour == H && LastFired.day == day;

    for (int i = std::max(start, 0); i < m_list.count(); ++i) {
        const EventRecord& row = m_list.row(i);
        const int kind = positionOf(m_scheduleNames, row.text(ScheduleName));
        if (!row.Active || kind == skStart)
            continue;
        if (i <= LastFired.index && sameMomentAsLastFired)
            continue;

        // The event's date: today, the one-time date, or for a weekday today only on that day.
        QDate date = today;
        if (kind == skOneTime) {
            const auto read = parseDateText(row.text(DayDate), m_locale);
            if (!read)
                continue; // an unreadable row is passed over; the rows after it still count
            date = *read;
        } else if (kind == skWeekday) {
            const int weekday = positionOf(m_weekdayNames, row.text(DayDate)); // Sunday 0
            if (weekday != today.dayOfWeek() % 7)
                continue;
        }
        if (date != today)
            continue;

        QString timeText = row.text(TimeText);
        if (kind == skHourly) {
            // "xx:mm:ss": the hour of now in place of "xx".
            timeText = QStringLiteral("%1").arg(H, 2, 10, QLatin1Char('0')) + timeText.mid(2, 6);
            if (timeText.size() < 8)
                continue;
        }
        const auto at = parseTimeText(timeText, m_locale);
        if (!at || at->hour() != H || at->minute() != M || at->second() != S)
            continue;

        if (kind == skOneTime) {
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
    for (int i = std::max(start, 0); i < m_list.count(); ++i) {
        const EventRecord& row = m_list.row(i);
        if (row.Active && positionOf(m_scheduleNames, row.text(ScheduleName)) == skStart)
            return i;
    }
    return -1;
}

void Scheduler::RunEvent(int index)
{
    if (index >= 0 && index < m_list.count())
        m_actions.RunEvent(m_list.row(index));
}

} // namespace events
