#include "events/NextRun.h"

#include "core/LocaleFormats.h"
#include "events/DueRule.h"
#include "lang/Translate.h"

namespace events {

namespace {

EventSchedule scheduleOf(const EventRecord& row, const core::LocaleFormats& locale)
{
    return readSchedule(row, scheduleNames(), weekdayNames(), locale);
}

// From the second the clock shows now on: an event due in this very second has not run yet.
std::optional<qint64> nextRun(const EventSchedule& schedule, const QDateTime& now)
{
    return nextDueAfter(schedule, wallSecondOf(now) - 1);
}

} // namespace

bool hasPassed(const EventRecord& row, const QDateTime& now, const core::LocaleFormats& locale)
{
    if (!row.Active)
        return false;
    const EventSchedule schedule = scheduleOf(row, locale);
    return schedule.kind == skOneTime && schedule.readable && !nextRun(schedule, now);
}

QString nextRunText(const EventRecord& row, const QDateTime& now, const core::LocaleFormats& locale)
{
    if (!row.Active)
        return {};
    const EventSchedule schedule = scheduleOf(row, locale);
    if (schedule.kind == skStart)
        return Translate(QStringLiteral("When the clock starts"));
    if (!schedule.readable)
        return Translate(QStringLiteral("Its date or time cannot be read"));
    const std::optional<qint64> next = nextRun(schedule, now);
    if (!next)
        return schedule.kind == skOneTime ? Translate(QStringLiteral("This event's time has passed"))
                                          : QString();
    const QString time = locale.formatLongTime(wallTimeOf(*next));
    const QDate day = wallDateOf(*next);
    return day == now.date() ? time : locale.formatShortDate(day) + u' ' + time;
}

QString nextRunSortKey(const EventRecord& row, const QDateTime& now, const core::LocaleFormats& locale)
{
    const EventSchedule schedule = scheduleOf(row, locale);
    const std::optional<qint64> next = row.Active ? nextRun(schedule, now) : std::nullopt;
    return next ? QStringLiteral("%1").arg(*next, 16, 10, QLatin1Char('0')) : QStringLiteral("~");
}

} // namespace events
