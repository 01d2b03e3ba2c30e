#include "timezones/TimeZoneRecord.h"
#include "core/LocaleFormats.h"
#include "timezones/ZoneSamples.h"

#include <gtest/gtest.h>

using namespace timezones;
using core::dayTime;
using zonesamples::berlin;
using zonesamples::kUs;

namespace {

SystemTime rule(int month, int weekday, int occurrence, int hour)
{
    SystemTime r;
    r.wMonth = quint16(month);
    r.wDayOfWeek = quint16(weekday);
    r.wDay = quint16(occurrence);
    r.wHour = quint16(hour);
    return r;
}

DayTime at(int y, int m, int d, int h = 0, int min = 0)
{
    return dayTime(QDate(y, m, d), QTime(h, min));
}

} // namespace

TEST(TransitionDate, OccurrenceFiveIsTheLastAndTheYearFieldIsIgnored)
{
    // February 2026 has four Sundays, March five.
    EXPECT_EQ(TransitionDate(rule(2, 0, 5, 2), 2026), at(2026, 2, 22, 2));
    EXPECT_EQ(TransitionDate(rule(3, 0, 5, 2), 2026), at(2026, 3, 29, 2));
    EXPECT_EQ(TransitionDate(rule(3, 0, 4, 2), 2026), at(2026, 3, 22, 2));
    EXPECT_EQ(TransitionDate(rule(3, 0, 1, 2), 2026), at(2026, 3, 1, 2));
    SystemTime withYear = rule(10, 0, 5, 3);
    withYear.wYear = 1999;
    EXPECT_EQ(TransitionDate(withYear, 2026), at(2026, 10, 25, 3));
    EXPECT_EQ(TransitionDate(rule(0, 0, 5, 2), 2026), 0.0);
    // Outside the domain: no date, and nothing read past a table.
    for (const SystemTime& odd : {rule(13, 0, 1, 2), rule(3, 7, 1, 2), rule(3, 0, 0, 2), rule(3, 0, 6, 2),
                                  rule(3, 0, 1, 24), rule(65535, 65535, 65535, 65535)})
        EXPECT_EQ(TransitionDate(odd, 2026), 0.0);
}

TEST(IsDaylightTime, NorthernSouthernAndHalfRules)
{
    const TRegTZI z = berlin();
    EXPECT_FALSE(IsDaylightTime(z, at(2026, 1, 15, 12), 2026));
    EXPECT_TRUE(IsDaylightTime(z, at(2026, 3, 29, 2), 2026)); // the start itself
    EXPECT_FALSE(IsDaylightTime(z, at(2026, 3, 29, 1, 59), 2026));
    EXPECT_TRUE(IsDaylightTime(z, at(2026, 10, 25, 2, 59), 2026));
    EXPECT_FALSE(IsDaylightTime(z, at(2026, 10, 25, 3), 2026)); // the end itself

    TRegTZI south; // daylight from the first Sunday of October, standard from the first of April
    south.Bias = -600;
    south.DaylightBias = -60;
    south.DaylightDate = rule(10, 0, 1, 2);
    south.StandardDate = rule(4, 0, 1, 3);
    EXPECT_TRUE(IsDaylightTime(south, at(2026, 1, 1), 2026));
    EXPECT_TRUE(IsDaylightTime(south, at(2026, 12, 31, 23, 59), 2026));
    EXPECT_FALSE(IsDaylightTime(south, at(2026, 7, 1), 2026));

    TRegTZI noDaylight = berlin();
    noDaylight.DaylightDate = {};
    EXPECT_FALSE(IsDaylightTime(noDaylight, at(2026, 7, 1), 2026)); // whatever the standard rule says
    TRegTZI noStandard = berlin();
    noStandard.StandardDate = {};
    EXPECT_FALSE(IsDaylightTime(noStandard, at(2026, 3, 1), 2026));
    EXPECT_TRUE(IsDaylightTime(noStandard, at(2026, 12, 31, 23), 2026)); // daylight to the year's end
}

TEST(ZoneTime, FromUtcAroundBothChangesAndTheOffsetToLocalTime)
{
    const TRegTZI z = berlin();
    // The change back happens at 01:00 UTC: 03:00 daylight becomes 02:00 standard.
    EXPECT_NEAR(ZoneTimeFromUtc(z, at(2026, 10, 25, 0, 30), 2026), at(2026, 10, 25, 2, 30),
                1e-9); // still summer
    EXPECT_NEAR(ZoneTimeFromUtc(z, at(2026, 10, 25, 1, 30), 2026), at(2026, 10, 25, 2, 30),
                1e-9); // already winter
    EXPECT_NEAR(ZoneTimeFromUtc(z, at(2026, 10, 25, 2, 30), 2026), at(2026, 10, 25, 3, 30), 1e-9);
    // The change forward happens at 01:00 UTC too: 02:00 standard becomes 03:00 daylight.
    EXPECT_NEAR(ZoneTimeFromUtc(z, at(2026, 3, 29, 0, 59), 2026), at(2026, 3, 29, 1, 59), 1e-9);
    EXPECT_NEAR(ZoneTimeFromUtc(z, at(2026, 3, 29, 1, 0), 2026), at(2026, 3, 29, 3, 0), 1e-9);
    EXPECT_NEAR(UtcNow(z, at(2026, 7, 1, 14), 2026), at(2026, 7, 1, 12), 1e-9);

    TRegTZI local; // bias -720 with daylight in force
    local.Bias = -720;
    local.DaylightBias = -60;
    local.DaylightDate = rule(9, 0, 5, 2);
    local.StandardDate = rule(4, 0, 1, 3);
    TRegTZI india;
    india.Bias = -330;
    EXPECT_EQ(ZoneOffset(india, local, at(2026, 1, 10, 12), 2026), (HoursMinutes{-7, -30}));
    EXPECT_EQ(ZoneOffset(india, local, at(2026, 6, 10, 12), 2026), (HoursMinutes{-6, -30}));
    EXPECT_EQ(ZoneOffset(local, local, at(2026, 1, 10, 12), 2026), (HoursMinutes{0, 0}));

    // In the hour after Berlin's clocks go back (01:00-01:59 UTC) Berlin is one hour ahead of UTC,
    // as the time shown for it says.
    const TRegTZI utc;
    EXPECT_EQ(ZoneOffset(z, utc, at(2026, 10, 25, 0, 59), 2026), (HoursMinutes{2, 0}));
    EXPECT_EQ(ZoneOffset(z, utc, at(2026, 10, 25, 1, 0), 2026), (HoursMinutes{1, 0}));
    EXPECT_EQ(ZoneOffset(z, utc, at(2026, 10, 25, 1, 59), 2026), (HoursMinutes{1, 0}));
}

TEST(ZoneTexts, BiasRulesAndDisplayNames)
{
    EXPECT_EQ(BiasText(60, kUs), "1 hour behind GMT");
    EXPECT_EQ(BiasText(61, kUs), "1.01666666666667 hours behind GMT");
    EXPECT_EQ(BiasText(-30, kUs), "0.5 hour ahead of GMT");
    EXPECT_EQ(BiasText(0, kUs), "  GMT");
    EXPECT_EQ(BiasText(-720, kUs), "12 hours ahead of GMT");
    EXPECT_EQ(BiasText(300, kUs), "5 hours behind GMT");
    EXPECT_EQ(BiasText(-90, core::LocaleFormats(QLocale(QLocale::German, QLocale::Germany))),
              "1,5 hours ahead of GMT");

    EXPECT_EQ(DescribeRule(rule(10, 0, 5, 3), kUs), "Last Sunday of October");
    EXPECT_EQ(DescribeRule(rule(3, 1, 2, 2), kUs), "Second Monday of March");
    EXPECT_EQ(DescribeRule({}, kUs), "Not set for this time zone");
    EXPECT_EQ(DescribeRule(rule(13, 9, 7, 30), kUs), "Not set for this time zone");

    EXPECT_EQ(BiasPrefix(-330), "(GMT+05:30) ");
    EXPECT_EQ(BiasPrefix(0), "(GMT) ");
    EXPECT_EQ(BiasPrefix(300), "(GMT-05:00) ");

    EXPECT_EQ(SplitDisplayName("(GMT+10:00) Canberra, Melbourne, Sydney"),
              (QStringList{"GMT+10:00", "Canberra", "Melbourne", "Sydney"}));
    EXPECT_EQ(SplitDisplayName("(GMT) Greenwich Mean Time : Dublin, Edinburgh, Lisbon, London"),
              (QStringList{"GMT", "Greenwich Mean Time ", "Dublin", "Edinburgh", "Lisbon", "London"}));
    EXPECT_EQ(SplitDisplayName("(GMT-05:00) Eastern Time (US & Canada)"),
              (QStringList{"GMT-05:00", "Eastern Time (US & Canada)"}));
    EXPECT_EQ(SplitDisplayName("No brackets"), (QStringList{"", "o brackets"}));
    EXPECT_EQ(SplitDisplayName(""), (QStringList{""}));
    EXPECT_EQ(SplitDisplayName(")("), (QStringList{""}));
}
