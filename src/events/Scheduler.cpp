#include "events/Scheduler.h"

#include "core/LocaleFormats.h"
#include "events/EventList.h"
#include "lang/Translate.h"
#include "platform/MessageBoxes.h"

#include <algorithm>

namespace events {

namespace {

// Whether a text is still the one kept: a kept copy shares the text's characters until either
// changes, so the same characters mean the same text without comparing them.
bool unchanged(const QString& kept, const QString& now)
{
    return (kept.constData() == now.constData() && kept.size() == now.size()) || kept == now;
}

// A reminder this much behind its time says when it was due.
constexpr qint64 kLateAfterSeconds = 60;

} // namespace

Scheduler::Scheduler(EventList& list, const core::LocaleFormats& locale, EventActions& actions,
                     platform::MessageBoxes& messages, std::function<bool(int)> saveFired)
    : m_list(list), m_locale(locale), m_actions(actions), m_messages(messages),
      m_saveFired(std::move(saveFired))
{
    m_actions.setSnooze([this](const EventAction& action, int minutes) { Snooze(action, minutes); });
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

void Scheduler::RunDueEvents(const QDateTime& now)
{
    m_now = now;
    runSnoozed(now);
    const qint64 second = wallSecondOf(now);
    if (m_scanned == second)
        return;
    // The seconds after the last one scanned; after a step back (the clock set back, daylight
    // saving time ending) the seconds from now on, where each row's memory holds back what ran.
    const qint64 after = m_scanned && *m_scanned < second ? *m_scanned : second - 1;
    m_scanned = second;
    m_schedules.resize(size_t(m_list.count()));
    if (!m_unreadableSaid)
        sayUnreadableRows();

    // Each row once, at the latest time it fell due; a jump of hours runs an hourly event once.
    struct Due
    {
        qint64 at;
        int index;
    };
    std::vector<Due> due;
    for (int i = 0; i < m_list.count(); ++i) {
        if (!m_list.row(i).Active)
            continue;
        const std::optional<qint64> at = lastDueAtOrBefore(scheduleOf(i), second);
        if (!at || *at <= after)
            continue;
        if (const auto ran = m_lastRan.constFind(m_list.id(i)); ran != m_lastRan.cend() && *at <= *ran)
            continue;
        due.push_back({*at, i});
    }
    // In the order they fell due, and events of the same second in list order.
    std::stable_sort(due.begin(), due.end(), [](const Due& a, const Due& b) { return a.at < b.at; });
    for (const Due& d : due)
        fire(d.index, d.at, second);
}

void Scheduler::fire(int index, qint64 dueAt, qint64 now)
{
    m_lastRan.insert(m_list.id(index), dueAt);
    if (m_schedules[size_t(index)].schedule.kind == skOneTime) {
        m_list.setActive(index, false);
        // A failed save is not reported, and does not stop the event: the unchecking stays in
        // the list and is written with the next save.
        if (m_saveFired)
            m_saveFired(index);
    }
    QString lateNote;
    if (now - dueAt >= kLateAfterSeconds) {
        const QDate day = wallDateOf(dueAt);
        QString when = m_locale.formatLongTime(wallTimeOf(dueAt));
        if (day != wallDateOf(now))
            when += QStringLiteral(", ") + m_locale.formatLongDate(day);
        lateNote = lang::fillIn(Translate(QStringLiteral("This reminder was due at %s.")), when);
    }
    perform(m_list.row(index), lateNote);
}

void Scheduler::perform(EventRecord row, QString lateNote)
{
    QMetaObject::invokeMethod(
        &m_pendingActions,
        [this, row = std::move(row), lateNote = std::move(lateNote)] { m_actions.RunEvent(row, lateNote); },
        Qt::QueuedConnection);
}

void Scheduler::sayUnreadableRows()
{
    m_unreadableSaid = true;
    QStringList names;
    for (int i = 0; i < m_list.count(); ++i)
        if (m_list.row(i).Active && !scheduleOf(i).readable && scheduleOf(i).kind != skStart)
            names << m_list.row(i).Name;
    if (names.isEmpty())
        return;
    const QString text = Translate(
                             QStringLiteral("These events cannot run: their date or time cannot be read:")) +
                         QStringLiteral("\r\n") + names.join(QStringLiteral("\r\n"));
    QMetaObject::invokeMethod(
        &m_pendingActions, [this, text] { m_messages.warning(text); }, Qt::QueuedConnection);
}

void Scheduler::Snooze(const EventAction& action, int minutes)
{
    EventAction again = action;
    again.lateNote.clear();
    m_snoozed.push_back({m_now.addSecs(qint64(minutes) * 60), std::move(again)});
}

void Scheduler::runSnoozed(const QDateTime& now)
{
    // Moved out first: a reminder shown again may be put off again.
    std::vector<Snoozed> due;
    const auto late = std::stable_partition(m_snoozed.begin(), m_snoozed.end(),
                                            [&now](const Snoozed& s) { return s.at > now; });
    std::move(late, m_snoozed.end(), std::back_inserter(due));
    m_snoozed.erase(late, m_snoozed.end());
    for (Snoozed& s : due)
        QMetaObject::invokeMethod(
            &m_pendingActions, [this, action = std::move(s.action)] { m_actions.Perform(action); },
            Qt::QueuedConnection);
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
    perform(m_list.row(index), {});
}

} // namespace events
