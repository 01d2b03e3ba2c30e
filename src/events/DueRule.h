#pragma once

#include "events/EventRecord.h"

#include <QDateTime>
#include <QStringList>
#include <optional>

namespace core {
class LocaleFormats;
} // namespace core

namespace events {

// What a row's schedule texts say, read once when they change rather than on every scan.
struct EventSchedule
{
    int kind = -1;        // ScheduleKind; -1 for a name not among the current ones, due daily
    bool readable = true; // false when the date or time text is no date or time: never due
    QDate date;           // OneTime: the event's day
    int weekday = -1;     // Weekday: Sunday 0 to Saturday 6; -1, a name not found, never matches
    int hour = -1;        // -1 for Hourly: every hour
    int minute = 0;
    int second = 0;

    bool operator==(const EventSchedule&) const = default;
};

// The schedule of a row: kind and weekday by their current names (letter case aside), the date
// and time with the user's formats. An hourly time is "xx:mm:ss".
EventSchedule readSchedule(const EventRecord& row, const QStringList& scheduleNames,
                           const QStringList& weekdayNames, const core::LocaleFormats& locale);

// The minute and second of an hourly time text: two characters that stand for the hour, then
// two-digit minute and second, each after ":" or the user's time separator ("xx:05:30", "xx.05.30"
// where the user writes 14.05.30). Anything after the eighth character is not looked at.
std::optional<QTime> readHourlyTime(const QString& text, const core::LocaleFormats& locale);

// A one-time event's date as the user's formats write it, or as this program wrote it under
// another locale: two-digit day and month and four-digit year, year first, or day and month in
// the order that locale's separator stands for ("." and "-" only ever come day first). Where the
// separator is used both ways ("/"), a day above 12 tells them apart; otherwise nothing.
std::optional<QDate> readEventDate(const QString& text, const core::LocaleFormats& locale);

// Wall-clock time as a count of seconds (the day number times 86400 plus the second of the day):
// a time the clock shows twice, as when daylight saving time ends, is the same second both times.
qint64 wallSecondOf(const QDateTime& local);
QDate wallDateOf(qint64 wallSecond);
QTime wallTimeOf(qint64 wallSecond);

// The latest wall second at or before `at` in which the event is due, or nothing: a start event,
// a row that cannot be read, a weekday name not found, a one-time event still ahead.
std::optional<qint64> lastDueAtOrBefore(const EventSchedule& schedule, qint64 at);
// The first wall second after `after` in which the event is due, or nothing.
std::optional<qint64> nextDueAfter(const EventSchedule& schedule, qint64 after);

// Whether an event with this schedule is due in the second of `now` (its milliseconds aside):
// one-time on its date, weekday on its day, daily, hourly every hour, at the hour, minute and
// second of its time. Start events are never due here, nor a row whose texts could not be read.
bool isDueAt(const EventSchedule& schedule, const QDateTime& now);

} // namespace events
