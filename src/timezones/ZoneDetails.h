#pragma once

#include "timezones/TimeZoneRecord.h"

#include <QString>
#include <optional>

namespace core {
class LocaleFormats;
} // namespace core

namespace timezones {

// What the time zones window shows of the selected zone: its rules in words with this year's
// dates, its date now, whether daylight time is in force there, its bias and its distance from
// local time.
struct ZoneDetails
{
    QString DaylightDesc;
    QString StandardDesc;
    QString TimeThere; // the zone's date, long form
    bool DaylightNow = false;
    QString DaylightDT; // "3/29/26, 2:00 AM (1 hour)", or empty
    QString DaylightName;
    QString StandardDT;
    QString StandardName;
    HoursMinutes Offset; // the zone's time minus local time
    // The bias in words, a line break (CR LF) and the distance from local time:
    // "5.5 hours ahead of GMT\r\nLocal time +4.5 Hour(s)".
    QString TZBias;
};

ZoneDetails describeZone(const TRegTZI& record, const TRegTZI& local, DayTime now, int ruleYear,
                         const core::LocaleFormats& locale);

// The first line of a bias text: what comes before the translated "Local time", less the line
// break; none when "Local time" is not in it.
std::optional<QString> biasFirstLine(const QString& tzBias);

} // namespace timezones
