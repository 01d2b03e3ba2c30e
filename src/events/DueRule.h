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

// Whether an event with this schedule is due in the second of `now` (its milliseconds aside):
// one-time on its date, weekday on its day, daily, hourly every hour, at the hour, minute and
// second of its time. Start events are never due here, nor a row whose texts could not be read.
bool isDueAt(const EventSchedule& schedule, const QDateTime& now);

} // namespace events
