#include "timezones/ZoneRows.h"
#include "core/LocaleFormats.h"
#include "timezones/ZoneDetails.h"
#include "timezones/ZoneSamples.h"

#include <gtest/gtest.h>

using namespace timezones;
using zonesamples::berlin;
using zonesamples::kUs;

namespace {

ZoneRow row(const QString& caption, const QString& city)
{
    return {{caption, city, "GMT", "", "", ""}, {}};
}

} // namespace

TEST(ZoneRows, OneRowPerCityAndTheSortKeyOfTheColumns)
{
    const std::vector<ZoneRow> rows = zoneRows("W. Europe Standard Time", berlin(),
                                               {"Europe/Berlin", "Europe/Paris"}, 2026, kUs);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Caption(), "W. Europe Standard Time");
    EXPECT_EQ(rows[0].Texts[ZoneRow::City], "Berlin");
    EXPECT_EQ(rows[1].Texts[ZoneRow::City], "Paris");
    EXPECT_EQ(rows[1].Place, "Europe/Paris");
    EXPECT_EQ(rows[0].Texts[ZoneRow::Bias], "GMT+01:00");
    EXPECT_EQ(rows[0].Texts[ZoneRow::StandardStarts], "10/25/26, 3:00 AM");
    EXPECT_EQ(rows[0].Texts[ZoneRow::DaylightStarts], "3/29/26, 2:00 AM");
    EXPECT_EQ(rows[0].Texts[ZoneRow::DisplayName], "(GMT+01:00) Berlin, Paris");
    TRegTZI unnamed;
    unnamed.Display = "(GMT)";
    EXPECT_TRUE(zoneRows("X", unnamed, {}, 2026, kUs).empty()); // no city, no row
    // A search sees no accents, letter case or underscores.
    EXPECT_EQ(searchFolded(QString::fromUtf8("São_Paulo MÜNCHEN Curaçao")), "sao paulo munchen curacao");
    EXPECT_EQ(transitionText(0.0, kUs), "");

    EXPECT_EQ(nextSortTag(1, 0), -1);
    EXPECT_EQ(nextSortTag(-1, 0), 1);
    EXPECT_EQ(nextSortTag(1, 2), 3);
    EXPECT_EQ(nextSortTag(3, 2), -3);
    EXPECT_EQ(nextSortTag(-3, 1), 2);

    // Code unit by code unit, letter case counting: "<" ahead of capitals, capitals ahead of small.
    EXPECT_EQ(LVCompare(row("<Here>", "a"), row("Alaskan", "a"), 1), -1);
    EXPECT_EQ(LVCompare(row("Zulu", "a"), row("alpha", "a"), 1), -1);
    EXPECT_EQ(LVCompare(row("B", "a"), row("A", "a"), 1), 1);
    EXPECT_EQ(LVCompare(row("B", "a"), row("A", "a"), -1), -1);
    EXPECT_EQ(LVCompare(row("A", "Sydney"), row("A", "Melbourne"), 2), 2);
    EXPECT_EQ(LVCompare(row("A", "Sydney"), row("A", "Melbourne"), -2), -2);
    EXPECT_EQ(LVCompare(row("A", "x"), row("A", "x"), 2), 0);
    EXPECT_EQ(LVCompare(row("A", "x"), row("B", "y"), 9), 0); // no such column
}

TEST(ZoneDetails, TheSelectedZoneInWords)
{
    const TRegTZI local = berlin();
    const DayTime summer = core::dayTime(QDate(2026, 7, 1), QTime(12, 0));
    const ZoneDetails here = describeZone(local, local, summer, 2026, kUs);
    EXPECT_TRUE(here.DaylightNow);
    EXPECT_EQ(here.TZBias, "1 hour ahead of GMT\r\nLocal time ");
    EXPECT_EQ(here.DaylightDT, "3/29/26, 2:00 AM (1 hour)");
    EXPECT_EQ(here.StandardDT, "10/25/26, 3:00 AM");
    EXPECT_EQ(here.DaylightName, "Central European Summer Time");
    EXPECT_EQ(here.StandardName, "Central European Standard Time");
    EXPECT_EQ(here.TimeThere, "Wednesday, July 1, 2026");
    EXPECT_EQ(biasFirstLine(here.TZBias), QString("1 hour ahead of GMT"));
    EXPECT_EQ(biasFirstLine("no line of that kind"), std::nullopt);

    TRegTZI newYork;
    newYork.Bias = 300;
    newYork.DaylightBias = -30; // half an hour, to see the hour word stay singular
    newYork.DaylightDate = {0, 3, 0, 2, 2, 0, 0, 0};
    newYork.StandardDate = {0, 11, 0, 1, 2, 0, 0, 0};
    const ZoneDetails there = describeZone(newYork, local, summer, 2026, kUs);
    EXPECT_EQ(there.Offset, (HoursMinutes{-6, -30}));
    EXPECT_EQ(there.TZBias, "5 hours behind GMT\r\nLocal time -6.5 Hour(s)");
    EXPECT_EQ(there.DaylightDT, "3/8/26, 2:00 AM (0.5 hour)");
    EXPECT_EQ(there.DaylightDesc, "Second Sunday of March");
    EXPECT_EQ(there.StandardDesc, "First Sunday of November");
}
