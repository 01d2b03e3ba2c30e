#include "timezones/ZoneTable.h"

#include "lang/Translate.h"
#include "platform/TimeZoneSource.h"

#include <QDate>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace timezones {

namespace {

constexpr int kMaxNameLength = 32;

struct Change
{
    QDateTime atUtc;
    int offsetBefore = 0; // seconds east of UTC
    int offsetAfter = 0;
    int standardBefore = 0;
    int standardAfter = 0;
    bool daylightBefore = false;
    bool daylightAfter = false;
};

// The zone's changes whose new wall-clock time falls in the year.
std::vector<Change> changesIn(const QTimeZone& zone, int year)
{
    const QDateTime from(QDate(year, 1, 1).addDays(-2), QTime(0, 0), Qt::UTC);
    const QDateTime to(QDate(year + 1, 1, 1).addDays(2), QTime(0, 0), Qt::UTC);
    std::vector<Change> changes;
    for (const QTimeZone::OffsetData& t : zone.transitions(from, to)) {
        const QTimeZone::OffsetData before = zone.offsetData(t.atUtc.addMSecs(-1));
        Change c;
        c.atUtc = t.atUtc;
        c.offsetBefore = before.offsetFromUtc;
        c.offsetAfter = t.offsetFromUtc;
        c.standardBefore = before.standardTimeOffset;
        c.standardAfter = t.standardTimeOffset;
        c.daylightBefore = before.daylightTimeOffset != 0;
        c.daylightAfter = t.daylightTimeOffset != 0;
        if (c.atUtc.addSecs(c.offsetAfter).date().year() == year && c.offsetBefore != c.offsetAfter)
            changes.push_back(c);
    }
    return changes;
}

// A change as a weekday rule, at its wall-clock time in the clock that runs up to it.
SystemTime ruleOf(const Change& change)
{
    const QDateTime wall = change.atUtc.addSecs(change.offsetBefore);
    const QDate date = wall.date();
    const QTime time = wall.time();
    SystemTime rule;
    rule.wMonth = quint16(date.month());
    rule.wDayOfWeek = quint16(date.dayOfWeek() % 7);
    rule.wDay = quint16(date.day() + 7 > date.daysInMonth() ? 5 : (date.day() - 1) / 7 + 1);
    rule.wHour = quint16(time.hour());
    rule.wMinute = quint16(time.minute());
    rule.wSecond = quint16(time.second());
    rule.wMilliseconds = quint16(time.msec());
    return rule;
}

QString shortened(QString name)
{
    name.truncate(kMaxNameLength);
    return name;
}

QDateTime utcOf(DayTime value)
{
    return QDateTime(core::dateOf(value), core::timeOf(value), Qt::UTC);
}

// The zone database names a zone without a name of its own by its offset ("GMT+04:30"), also for
// a daylight time the zone does not keep, and in Morocco, whose daylight time puts the clocks
// back, it swaps the two; a zone of no name at all goes by its abbreviation ("-03"). Such names
// are written afresh from the record's own offsets; a zone without daylight time calls its
// daylight time by its standard name.
void nameByTheRightOffsets(TRegTZI& record)
{
    if (record.Std.isEmpty() || offsetNamed(record.Std))
        record.Std = offsetName(-record.Bias);
    if (record.DaylightDate.wMonth == 0)
        record.Dlt = record.Std;
    else if (record.Dlt.isEmpty() || offsetNamed(record.Dlt))
        record.Dlt = offsetName(-(record.Bias + record.DaylightBias));
}

} // namespace

std::optional<int> offsetNamed(const QString& name)
{
    // "GMT+04:30", "UTC-3", "GMT", and the bare "-03" or "+0530" of zones without a name.
    static const QRegularExpression form(
        QStringLiteral("^(?:GMT|UTC)?(?:([+\\-\\x{2212}])(\\d{1,2})(?::?(\\d{2}))?)?$"));
    const QRegularExpressionMatch m = form.match(name.trimmed());
    if (name.trimmed().isEmpty() || !m.hasMatch())
        return std::nullopt;
    if (!m.hasCaptured(1))
        return 0;
    const int minutes = m.captured(2).toInt() * 60 + m.captured(3).toInt();
    return m.captured(1) == u"+" ? minutes : -minutes;
}

QString offsetName(int minutesEast)
{
    if (minutesEast == 0)
        return QStringLiteral("GMT");
    const int magnitude = std::abs(minutesEast);
    return QStringLiteral("GMT%1%2:%3")
        .arg(QChar(minutesEast > 0 ? u'+' : u'-'))
        .arg(magnitude / 60, 2, 10, QLatin1Char('0'))
        .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
}

bool agreesAllYear(const QTimeZone& zone, const TRegTZI& record, int year)
{
    if (!zone.isValid())
        return false;
    // Both clocks keep an offset from one change to the next, so comparing them at the start of
    // the year and at every change of either covers every instant of it.
    const QDateTime from(QDate(year, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime to(QDate(year + 1, 1, 1), QTime(0, 0), Qt::UTC);
    std::vector<QDateTime> changes{from};
    for (const QTimeZone::OffsetData& t : zone.transitions(from, to))
        changes.push_back(t.atUtc);
    const DayTime toDaylight = TransitionDate(record.DaylightDate, year);
    const DayTime toStandard = TransitionDate(record.StandardDate, year);
    if (toDaylight != 0.0) // given in standard time
        changes.push_back(utcOf(toDaylight + record.Bias / core::MinutesPerDay));
    if (toStandard != 0.0) // given in daylight time
        changes.push_back(utcOf(toStandard + (record.Bias + record.DaylightBias) / core::MinutesPerDay));
    for (const QDateTime& at : changes) {
        if (at < from || at >= to)
            continue;
        const DayTime utc = core::dayTime(at);
        const qint64 recordOffset = std::llround((ZoneTimeFromUtc(record, utc, year) - utc) * 86400.0);
        if (recordOffset != zone.offsetFromUtc(at))
            return false;
    }
    return true;
}

// The year's rules around the standard time the zone keeps at `standardAt`; daylight time is
// counted from that standard time.
TRegTZI rulesAround(const QTimeZone& zone, int year, const QDateTime& standardAt)
{
    TRegTZI record;
    record.Bias = -zone.standardTimeOffset(standardAt) / 60;
    for (const Change& c : changesIn(zone, year)) {
        if (c.daylightAfter && !c.daylightBefore && record.DaylightDate.wMonth == 0) {
            record.DaylightDate = ruleOf(c);
            record.DaylightBias = -c.offsetAfter / 60 - record.Bias;
        } else if (!c.daylightAfter && c.daylightBefore && record.StandardDate.wMonth == 0) {
            record.StandardDate = ruleOf(c);
            if (record.DaylightBias == 0)
                record.DaylightBias = -c.offsetBefore / 60 - record.Bias;
        }
    }
    return record;
}

TRegTZI rulesFor(const QTimeZone& zone, int year)
{
    if (!zone.isValid())
        return {}; // no rules: standard time at UTC
    // The standard time the year ends with is the one that lasts. A zone may have made its
    // daylight time its standard time where its clocks did not move (British Columbia in November
    // 2026): that year, its standard time is the one it began with and its daylight time runs to
    // the end of the year.
    const TRegTZI lasting = rulesAround(zone, year, QDateTime(QDate(year, 12, 31), QTime(12, 0), Qt::UTC));
    if (agreesAllYear(zone, lasting, year))
        return lasting;
    const TRegTZI first = rulesAround(zone, year, QDateTime(QDate(year, 1, 1), QTime(12, 0), Qt::UTC));
    return agreesAllYear(zone, first, year) ? first : lasting;
}

TRegTZI recordFor(const QTimeZone& zone, int year)
{
    TRegTZI record = rulesFor(zone, year);
    if (!zone.isValid())
        return record;
    record.Std = zone.displayName(QTimeZone::StandardTime, QTimeZone::LongName);
    record.Dlt = zone.displayName(QTimeZone::DaylightTime, QTimeZone::LongName);
    nameByTheRightOffsets(record);
    return record;
}

bool followsWeekdayRules(const QTimeZone& zone, int year)
{
    int starts = 0;
    int ends = 0;
    for (const Change& c : changesIn(zone, year)) {
        if (c.standardBefore != c.standardAfter)
            return false;
        starts += c.daylightAfter && !c.daylightBefore;
        ends += c.daylightBefore && !c.daylightAfter;
    }
    return starts <= 1 && ends <= 1;
}

QString cityOf(const QByteArray& zoneId)
{
    QString city = QString::fromLatin1(zoneId.mid(zoneId.lastIndexOf('/') + 1));
    city.replace(u'_', u' ');
    return city;
}

QString regionOf(const QByteArray& zoneId)
{
    QString region = QString::fromLatin1(zoneId.left(std::max<qsizetype>(zoneId.lastIndexOf('/'), 0)));
    region.replace(u'/', QStringLiteral(", "));
    region.replace(u'_', u' ');
    return region;
}

QString ZoneTable::localName()
{
    return QStringLiteral("<") + Translate(QStringLiteral("Here")) + QStringLiteral(">");
}

int ZoneTable::positionOf(const QString& name) const
{
    return int(Names.indexOf(name));
}

TRegTZI ZoneTable::localRules(const platform::TimeZoneSource& source, int ruleYear)
{
    return rulesFor(source.systemZone(), ruleYear);
}

TRegTZI ZoneTable::localRecord(const platform::TimeZoneSource& source, int ruleYear)
{
    TRegTZI local = recordFor(source.systemZone(), ruleYear);
    local.Std = shortened(local.Std);
    local.Dlt = shortened(local.Dlt);
    local.Display = BiasPrefix(local.Bias) + Translate(QStringLiteral("Here"));
    return local;
}

namespace {

// One record of the table while it is built: the zone it was made from and the places it tells.
struct Entry
{
    QString name;
    QByteArray zone;
    TRegTZI record;
    QList<QByteArray> places;
};

// The places' cities, each once, in the record's display name.
void nameThePlaces(Entry& e)
{
    QStringList cities;
    QList<QByteArray> places;
    for (const QByteArray& place : e.places) {
        const QString city = cityOf(place);
        if (cities.contains(city))
            continue;
        cities << city;
        places << place;
    }
    e.places = places;
    e.record.Display = BiasPrefix(e.record.Bias) + cities.join(QStringLiteral(", "));
}

bool sameRules(const TRegTZI& a, const TRegTZI& b)
{
    return a.Bias == b.Bias && a.DaylightBias == b.DaylightBias && a.StandardDate == b.StandardDate &&
           a.DaylightDate == b.DaylightDate;
}

} // namespace

ZoneTable ZoneTable::load(const platform::TimeZoneSource& source, const QDateTime& now)
{
    ZoneTable table;
    table.RuleYear = now.date().year();
    const int year = table.RuleYear;

    std::vector<Entry> zones;
    QSet<QByteArray> told;
    for (const QByteArray& windowsId : source.windowsIds()) {
        const QByteArray zone = source.defaultZone(windowsId);
        Entry e{QString::fromLatin1(windowsId), zone, recordFor(source.zone(zone), year), {}};
        // Only the places whose clocks this record tells right all year: a place that keeps
        // another time than its Windows zone's (Bishkek under Almaty's rules) gets a record of
        // its own below rather than a wrong time here.
        for (const QByteArray& member : source.memberZones(windowsId))
            if (agreesAllYear(source.zone(member), e.record, year)) {
                e.places << member;
                told.insert(member);
            }
        zones.push_back(std::move(e));
    }

    // Every other place, under the name of its own time; places of one name and the same rules
    // share a record, and a name a Windows zone has already is told apart by the city.
    QSet<QString> names;
    for (const Entry& e : zones)
        names.insert(e.name.toCaseFolded());
    const size_t windowsZones = zones.size();
    QList<platform::TimeZoneSource::Place> places = source.places();
    std::sort(places.begin(), places.end(), [](const auto& a, const auto& b) { return a.zone < b.zone; });
    for (const platform::TimeZoneSource::Place& where : places) {
        const QByteArray& place = where.zone;
        table.Whereabouts.insert(place, regionOf(place) + u'\n' + where.country + u'\n' + where.note);
        if (told.contains(place))
            continue;
        const QTimeZone zone = source.zone(place);
        if (!followsWeekdayRules(zone, year)) {
            table.LeftOut << place;
            continue;
        }
        const TRegTZI record = recordFor(zone, year);
        const auto same = std::find_if(
            zones.begin() + qsizetype(windowsZones), zones.end(),
            [&](const Entry& e) { return e.record.Std == record.Std && sameRules(e.record, record); });
        if (same != zones.end() && agreesAllYear(zone, same->record, year)) {
            same->places << place;
            continue;
        }
        // A time known only by its offset, or by a name a Windows zone has, goes by its city too.
        QString name = record.Std;
        if (offsetNamed(name) || names.contains(name.toCaseFolded()))
            name += QStringLiteral(" (") + cityOf(place) + u')';
        names.insert(name.toCaseFolded());
        zones.push_back({name, place, record, {place}});
    }
    for (Entry& e : zones)
        nameThePlaces(e);
    std::sort(zones.begin(), zones.end(),
              [](const Entry& a, const Entry& b) { return a.name.compare(b.name, Qt::CaseInsensitive) < 0; });

    const QByteArray localZone = source.systemZone().id();
    table.Names << localName();
    table.Records.push_back(localRecord(source, year));
    table.Zones.push_back(localZone);
    table.Places.push_back({localZone});
    for (Entry& e : zones) {
        table.Names << e.name;
        table.Records.push_back(std::move(e.record));
        table.Zones.push_back(e.zone);
        table.Places.push_back(std::move(e.places));
    }
    for (const QList<QByteArray>& placesOfRow : table.Places) // the machine's own zone may be no place
        for (const QByteArray& place : placesOfRow)
            if (!table.Whereabouts.contains(place))
                table.Whereabouts.insert(place, regionOf(place));
    return table;
}

} // namespace timezones
