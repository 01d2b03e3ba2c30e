#pragma once

#include "core/DayTime.h"

#include <QString>
#include <QStringList>

namespace core {
class LocaleFormats;
} // namespace core

namespace timezones {

using core::DayTime;

// A yearly rule in the shape of the platform's SYSTEMTIME: month 1-12 (0: no such change),
// weekday 0 (Sunday) to 6, occurrence 1-5 (5: the last), and the wall-clock time of the change.
// The year is never consulted: every rule is read as a weekday rule.
struct SystemTime
{
    quint16 wYear = 0;
    quint16 wMonth = 0;
    quint16 wDayOfWeek = 0;
    quint16 wDay = 0;
    quint16 wHour = 0;
    quint16 wMinute = 0;
    quint16 wSecond = 0;
    quint16 wMilliseconds = 0;
    bool operator==(const SystemTime&) const = default;
};

// One time zone. UTC = standard local time + Bias (minutes, negative east of Greenwich); during
// daylight time DaylightBias is added too. StandardBias is kept but never used.
struct TRegTZI
{
    QString Std;
    QString Dlt;
    QString Display;
    qint32 Bias = 0;
    qint32 StandardBias = 0;
    qint32 DaylightBias = 0;
    SystemTime StandardDate; // when standard time begins, in daylight wall-clock time
    SystemTime DaylightDate; // when daylight time begins, in standard wall-clock time
};

// The date-time of the change in the rule year, or 0.0 when the rule has none (month 0, or a
// rule outside the domain of months, weekdays, occurrences and times).
DayTime TransitionDate(const SystemTime& rule, int ruleYear);

// Whether daylight time is in force at a wall-clock time of the zone, each change being
// compared in the clock that runs up to it.
bool IsDaylightTime(const TRegTZI& zone, DayTime wallClock, int ruleYear);

// The current UTC from the local clock and the local zone.
DayTime UtcNow(const TRegTZI& local, DayTime now, int ruleYear);

// The zone's wall-clock time for a UTC time. The daylight test is made on the zone's standard
// time, against the change back to standard time given in standard time as well, so the hour
// after that change is not taken for daylight time.
DayTime ZoneTimeFromUtc(const TRegTZI& zone, DayTime utc, int ruleYear);

struct HoursMinutes
{
    int hours = 0;
    int minutes = 0; // with the sign of the whole
    bool operator==(const HoursMinutes&) const = default;
};
// The zone's current time minus the local time, whole minutes split into hours and minutes
// with the sign of the whole; the zone's daylight test is the one ZoneTimeFromUtc makes.
HoursMinutes ZoneOffset(const TRegTZI& zone, const TRegTZI& local, DayTime now, int ruleYear);

// "12 hours ahead of GMT", "1 hour behind GMT", "0.5 hour ahead of GMT"; two blanks and "GMT"
// for 0.
QString BiasText(qint32 bias, const core::LocaleFormats& locale);

// "Last Sunday of October", or "Not set for this time zone".
QString DescribeRule(const SystemTime& rule, const core::LocaleFormats& locale);

// "(GMT+10:00) Canberra, Melbourne, Sydney" gives "GMT+10:00", "Canberra", "Melbourne", "Sydney".
QStringList SplitDisplayName(const QString& displayName);

// "(GMT+05:30) ", "(GMT) ", "(GMT-03:00) " for a bias.
QString BiasPrefix(qint32 bias);

} // namespace timezones
