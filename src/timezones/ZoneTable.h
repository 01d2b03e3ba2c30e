#pragma once

#include "timezones/TimeZoneRecord.h"

#include <QDateTime>
#include <QHash>
#include <QTimeZone>
#include <optional>
#include <vector>

namespace platform {
class TimeZoneSource;
}

namespace timezones {

// The zones this year's rules can be told of: each Windows zone id once, standing for the places
// that keep its time all year; a record of its own for every other place the zone database
// names (under the place's own name for its time, "Kyrgyzstan Time"); and the machine's own zone
// at position 0. Names, records and places are kept in step, sorted with the local entry first.
// The rule year is the year of the moment it is built for.
class ZoneTable
{
public:
    static ZoneTable load(const platform::TimeZoneSource& source, const QDateTime& now);
    // The machine's own zone alone, as record 0 of the table: one zone read, not all of them.
    static TRegTZI localRecord(const platform::TimeZoneSource& source, int ruleYear);
    // Its biases and rules alone, without the names, whose look-up costs more than the rest.
    static TRegTZI localRules(const platform::TimeZoneSource& source, int ruleYear);

    QStringList Names;
    std::vector<TRegTZI> Records;
    // The zone each record was made from, and the places whose cities its display name lists,
    // in their order there.
    std::vector<QByteArray> Zones;
    std::vector<QList<QByteArray>> Places;
    // What a search finds each place by besides its city: its region, its country and the zone
    // database's note on it ("America, Argentina\nArgentina\nBuenos Aires (BA, CF)").
    QHash<QByteArray, QString> Whereabouts;
    int RuleYear = 0;
    // Places whose year one pair of weekday rules cannot tell (none in the zone data of these
    // years): they have no row rather than a wrong one.
    QList<QByteArray> LeftOut;

    int count() const { return int(Records.size()); }
    const TRegTZI& local() const { return Records.front(); }
    // The position of a name (exact text), or -1.
    int positionOf(const QString& name) const;

    // "<Here>", in the program's language.
    static QString localName();
};

// One zone's record for a year: its standard bias, its daylight bias, and the year's change to
// daylight and back to standard time as weekday rules (month 0 when there is no such change).
// A name that states an offset states the right one; without daylight time the daylight name is
// the standard name.
TRegTZI recordFor(const QTimeZone& zone, int year);
// The same without the texts.
TRegTZI rulesFor(const QTimeZone& zone, int year);

// Whether a zone's year fits one record: a constant standard offset and at most one change to
// daylight time and one back.
bool followsWeekdayRules(const QTimeZone& zone, int year);

// Whether the record gives the zone's time at every instant of the year (UTC).
bool agreesAllYear(const QTimeZone& zone, const TRegTZI& record, int year);

// The offset east of UTC, in minutes, that a name such as "GMT+04:30", "UTC-3" or "GMT" states;
// none for a proper name ("Central European Standard Time").
std::optional<int> offsetNamed(const QString& name);
// "GMT" for 0, else "GMT+04:30", "GMT-03:00".
QString offsetName(int minutesEast);

// "Berlin" of "Europe/Berlin", "Buenos Aires" of "America/Argentina/Buenos_Aires".
QString cityOf(const QByteArray& zoneId);
// "America, Argentina" of "America/Argentina/Buenos_Aires".
QString regionOf(const QByteArray& zoneId);

} // namespace timezones
