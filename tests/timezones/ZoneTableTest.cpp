#include "timezones/ZoneTable.h"
#include "support/FakePlatform.h"

#include <QFile>
#include <QSet>
#include <cstdio>
#include <gtest/gtest.h>

using namespace timezones;

namespace {

constexpr int kYear = 2026;

double utcDays(const QDateTime& utc)
{
    return core::dayTime(utc.toUTC());
}

} // namespace

TEST(ZoneTable, OneRecordPerWindowsZoneWithTheLocalZoneFirst)
{
    fakes::BerlinTimeZones source;
    const ZoneTable table = ZoneTable::load(source, QDateTime(QDate(kYear, 6, 1), QTime(12, 0)));
    EXPECT_EQ(table.RuleYear, kYear);
    EXPECT_GT(table.count(), 101);
    ASSERT_EQ(table.Names.size(), table.count());
    EXPECT_EQ(table.Names[0], "<Here>");
    EXPECT_EQ(table.local().Display, "(GMT+01:00) Here");
    EXPECT_EQ(table.local().Bias, -60);
    for (int i = 2; i < table.count(); ++i)
        EXPECT_LE(table.Names[i - 1].compare(table.Names[i], Qt::CaseInsensitive), 0);
    EXPECT_EQ(table.positionOf("<Here>"), 0);
    EXPECT_EQ(table.positionOf("w. europe standard time"), -1); // exact names only

    // Each record's rules are compared with the zone database below; here the names it goes by.
    const auto citiesOf = [&](const char* windowsId) {
        return SplitDisplayName(table.Records[size_t(table.positionOf(windowsId))].Display);
    };
    EXPECT_EQ(citiesOf("W. Europe Standard Time").value(0), "GMT+01:00");
    EXPECT_TRUE(citiesOf("W. Europe Standard Time").contains("Berlin"));
    ASSERT_GE(table.positionOf("India Standard Time"), 0); // known here by its new name, Asia/Kolkata
    EXPECT_TRUE(citiesOf("India Standard Time").contains("Kolkata"));
}

namespace {

// Whether the wall clock of a zone shows the time of a UTC instant twice (the stretch after the
// clocks are put back): a local time there cannot tell which instant is meant.
bool wallClockComesTwice(const QTimeZone& zone, const QDateTime& utc)
{
    for (const QTimeZone::OffsetData& t : zone.transitions(utc.addDays(-1), utc.addDays(1))) {
        const int before = zone.offsetFromUtc(t.atUtc.addSecs(-1));
        const int back = before - t.offsetFromUtc; // seconds the clocks went back
        if (back <= 0)
            continue;
        // Before the change, the last `back` seconds come again after it; after it, the first.
        const qint64 since = t.atUtc.secsTo(utc);
        if ((since < 0 && -since <= back) || (since >= 0 && since < back))
            return true;
    }
    return false;
}

} // namespace

TEST(ZoneTable, TheOffsetToLocalTimeAgreesWithTheZoneDatabaseAroundEveryChange)
{
    platform::QtTimeZoneSource source;
    // Local zones without daylight time, northern, southern, and with a daylight time that puts
    // the clocks back (Morocco).
    const QByteArray locals[] = {"UTC", "Europe/Berlin", "Australia/Sydney", "America/New_York",
                                 "Africa/Casablanca"};
    const QDateTime yearFrom(QDate(kYear, 1, 2), QTime(0, 0), Qt::UTC);
    const QDateTime yearTo(QDate(kYear, 12, 30), QTime(0, 0), Qt::UTC);
    int records = 0;
    int comparisons = 0;
    for (const QByteArray& localId : locals) {
        const QTimeZone localZone(localId);
        const TRegTZI local = recordFor(localZone, kYear);
        const QList<QTimeZone::OffsetData> localChanges = localZone.transitions(yearFrom, yearTo);
        for (const QByteArray& windowsId : source.windowsIds()) {
            const QTimeZone zone = source.zone(source.defaultZone(windowsId));
            const TRegTZI record = recordFor(zone, kYear);
            std::vector<QDateTime> instants;
            for (QDateTime t(QDate(kYear, 1, 1), QTime(5, 0), Qt::UTC); t.date().year() == kYear;
                 t = t.addDays(7))
                instants.push_back(t);
            QList<QTimeZone::OffsetData> changes = zone.transitions(yearFrom, yearTo);
            changes += localChanges;
            for (const QTimeZone::OffsetData& change : changes)
                for (int minutes : {-61, -60, -59, -31, -1, 0, 1, 29, 30, 31, 59, 60, 61, 119, 121})
                    instants.push_back(change.atUtc.addSecs(minutes * 60));
            for (const QDateTime& utc : instants) {
                if (wallClockComesTwice(localZone, utc))
                    continue; // the local clock alone cannot say which instant it is
                const double now = utcDays(utc) + localZone.offsetFromUtc(utc) / 86400.0;
                const int expected = (zone.offsetFromUtc(utc) - localZone.offsetFromUtc(utc)) / 60;
                ASSERT_EQ(ZoneOffset(record, local, now, kYear), (HoursMinutes{expected / 60, expected % 60}))
                    << windowsId.toStdString() << " seen from " << localId.toStdString() << " at "
                    << utc.toString(Qt::ISODate).toStdString();
                ++comparisons;
            }
            ++records;
        }
    }
    EXPECT_GT(records, 5 * 100);
    RecordProperty("comparisons", comparisons);
    std::printf("ZoneOffset compared for %d records at %d instants\n", records, comparisons);
}

TEST(ZoneTable, EveryPlaceOfTheZoneDatabaseHasARowThatTellsItsTimeAllYear)
{
    QFile tab("/usr/share/zoneinfo/zone.tab");
    ASSERT_TRUE(tab.open(QIODevice::ReadOnly));
    QList<QByteArray> places;
    for (const QByteArray& line : tab.readAll().split('\n'))
        if (!line.startsWith('#') && line.count('\t') >= 2)
            places << line.split('\t')[2];
    platform::QtTimeZoneSource source;
    qint64 instants = 0;
    for (const int year : {kYear, kYear + 1}) {
        const ZoneTable table = ZoneTable::load(source, QDateTime(QDate(year, 6, 1), QTime(12, 0)));
        EXPECT_TRUE(table.LeftOut.isEmpty()) << year;
        QHash<QByteArray, size_t> recordOf;
        for (size_t i = 1; i < table.Places.size(); ++i) // the local entry aside
            for (const QByteArray& place : table.Places[i])
                recordOf.insert(place, i);
        const QDateTime from(QDate(year, 1, 1), QTime(0, 0), Qt::UTC),
            to(QDate(year + 1, 1, 1), QTime(0, 0), Qt::UTC);
        for (const QByteArray& place : places) {
            ASSERT_TRUE(recordOf.contains(place)) << place.toStdString() << " has no row in " << year;
            const TRegTZI& record = table.Records[recordOf[place]];
            EXPECT_TRUE(SplitDisplayName(record.Display).contains(cityOf(place))) << place.toStdString();
            // The start of the year, each week, and a second either side of every change of the
            // zone and of the record.
            const QTimeZone zone(place);
            std::vector<QDateTime> at{from};
            for (QDateTime t = from.addSecs(3 * 86400 + 4321); t < to; t = t.addDays(7))
                at.push_back(t);
            std::vector<QDateTime> changes;
            for (const QTimeZone::OffsetData& t : zone.transitions(from, to))
                changes.push_back(t.atUtc);
            if (const DayTime d = TransitionDate(record.DaylightDate, year); d != 0.0)
                changes.push_back(
                    QDateTime(core::dateOf(d), core::timeOf(d), Qt::UTC).addSecs(record.Bias * 60));
            if (const DayTime s = TransitionDate(record.StandardDate, year); s != 0.0)
                changes.push_back(QDateTime(core::dateOf(s), core::timeOf(s), Qt::UTC)
                                      .addSecs((record.Bias + record.DaylightBias) * 60));
            for (const QDateTime& change : changes)
                for (int seconds : {-1, 0, 1})
                    at.push_back(change.addSecs(seconds));
            for (const QDateTime& utc : at) {
                if (utc < from || utc >= to)
                    continue;
                const int offset = zone.offsetFromUtc(utc);
                ASSERT_NEAR(ZoneTimeFromUtc(record, utcDays(utc), year) - utcDays(utc), offset / 86400.0,
                            1e-7)
                    << place.toStdString() << " at " << utc.toString(Qt::ISODate).toStdString();
                // The daylight test of the zone a record was made from (Dublin, under London's
                // rules, calls its winter the daylight time) where its wall clock is unambiguous
                // and its standard time is the record's (British Columbia's became the daylight
                // time it kept from November 2026: the record calls the rest of that year daylight).
                if (table.Zones[recordOf[place]] == place && !wallClockComesTwice(zone, utc) &&
                    zone.standardTimeOffset(utc) == -record.Bias * 60) {
                    ASSERT_EQ(IsDaylightTime(record, utcDays(utc) + offset / 86400.0, year),
                              offset != zone.standardTimeOffset(utc))
                        << place.toStdString() << " at " << utc.toString(Qt::ISODate).toStdString();
                }
                ++instants;
            }
        }
    }
    std::printf("%lld places with a row, their time compared at %lld instants\n", qlonglong(places.size()),
                qlonglong(instants));
    EXPECT_GT(places.size(), 400);

    // A place its Windows zone's rules do not tell gets a record of its own, under its own names.
    const ZoneTable table = ZoneTable::load(source, QDateTime(QDate(kYear, 6, 1), QTime(12, 0)));
    const auto citiesOf = [&](const char* name) {
        const int at = table.positionOf(QString::fromLatin1(name));
        return at < 0 ? QStringList() : SplitDisplayName(table.Records[size_t(at)].Display).mid(1);
    };
    EXPECT_FALSE(citiesOf("Central Asia Standard Time").contains("Bishkek"));
    EXPECT_EQ(citiesOf("Kyrgyzstan Time"), QStringList{"Bishkek"});
    EXPECT_EQ(citiesOf("GMT-03:00 (Coyhaique)"), QStringList{"Coyhaique"}); // no name but its offset
    EXPECT_EQ(citiesOf("Mountain Standard Time (Ojinaga)"), QStringList{"Ojinaga"});
    EXPECT_TRUE(citiesOf("Mountain Standard Time").contains("Denver"));

    // A place whose clock keeps its own changes is not told by a record of the same offsets
    // and other dates: Europe's rules do not tell New York's time, nor the reverse.
    const TRegTZI london = recordFor(QTimeZone("Europe/London"), kYear);
    EXPECT_TRUE(agreesAllYear(QTimeZone("Europe/Lisbon"), london, kYear));
    EXPECT_FALSE(agreesAllYear(QTimeZone("Africa/Abidjan"), london, kYear)); // no daylight time
    EXPECT_FALSE(agreesAllYear(QTimeZone("America/New_York"), london, kYear));
    EXPECT_FALSE(agreesAllYear(QTimeZone(), london, kYear));
}

TEST(ZoneTable, NamesThatStateAnOffsetStateTheRightOne)
{
    EXPECT_EQ(offsetNamed("GMT+04:30"), 270);
    EXPECT_EQ(offsetNamed("UTC-3"), -180);
    EXPECT_EQ(offsetNamed("GMT"), 0);
    EXPECT_EQ(offsetNamed("GMT-0930"), -570);
    EXPECT_EQ(offsetNamed("Greenwich Mean Time"), std::nullopt);
    EXPECT_EQ(offsetNamed("GMT+"), std::nullopt);
    EXPECT_EQ(offsetNamed("-03"), -180); // the abbreviation of a zone without a name
    EXPECT_EQ(offsetNamed(""), std::nullopt);
    EXPECT_EQ(offsetName(270), "GMT+04:30");
    EXPECT_EQ(offsetName(-180), "GMT-03:00");
    EXPECT_EQ(offsetName(0), "GMT");

    // Morocco keeps +01:00 as its standard time and puts the clocks back to +00:00 in Ramadan.
    const TRegTZI morocco = recordFor(QTimeZone("Africa/Casablanca"), kYear);
    EXPECT_EQ(morocco.Bias, -60);
    EXPECT_EQ(morocco.Std, "GMT+01:00");
    EXPECT_EQ(morocco.Dlt, "GMT");
    // Without daylight time the daylight name is the zone's own name.
    const TRegTZI kabul = recordFor(QTimeZone("Asia/Kabul"), kYear);
    EXPECT_EQ(kabul.Std, "Afghanistan Time");
    EXPECT_EQ(kabul.Dlt, kabul.Std);
    const TRegTZI berlin = recordFor(QTimeZone("Europe/Berlin"), kYear);
    EXPECT_EQ(berlin.Dlt, "Central European Summer Time");

    platform::QtTimeZoneSource source;
    for (const QByteArray& windowsId : source.windowsIds()) {
        const TRegTZI r = recordFor(source.zone(source.defaultZone(windowsId)), kYear);
        EXPECT_EQ(offsetNamed(r.Std).value_or(-r.Bias), -r.Bias) << windowsId.toStdString();
        EXPECT_EQ(offsetNamed(r.Dlt).value_or(-r.Bias - r.DaylightBias),
                  r.DaylightDate.wMonth ? -r.Bias - r.DaylightBias : -r.Bias)
            << windowsId.toStdString();
        EXPECT_FALSE(r.Std.isEmpty());
        EXPECT_FALSE(r.Dlt.isEmpty());
    }
}
