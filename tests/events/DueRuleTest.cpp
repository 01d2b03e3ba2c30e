#include "events/DueRule.h"
#include "core/DateTimeText.h"
#include "core/LocaleFormats.h"

#include <gtest/gtest.h>

using namespace events;

namespace {

const core::LocaleFormats kUs(QLocale(QLocale::English, QLocale::UnitedStates));

EventSchedule scheduleOf(const QString& kind, const QString& dayDate, const QString& time)
{
    EventRecord row;
    row.text(ScheduleName) = kind;
    row.text(DayDate) = dayDate;
    row.text(TimeText) = time;
    return readSchedule(row, scheduleNames(), weekdayNames(), kUs);
}

} // namespace

TEST(DueRule, EveryKindAgainstMatchingAndOtherDatesWeekdaysAndTimes)
{
    // Monday 2 March 2026 at 14:00:00; the day before is a Sunday.
    const QDateTime monday(QDate(2026, 3, 2), QTime(14, 0, 0));
    struct Case
    {
        const char* kind;
        const char* dayDate;
        const char* time;
        QDateTime at;
        bool due;
    } const cases[] = {
        {"One Time", "03/02/2026", "2:00:00 PM", monday, true},
        {"One Time", "03/02/2026", "2:00:00 PM", monday.addMSecs(999), true}, // the second, not the instant
        {"One Time", "03/02/2026", "2:00:00 PM", monday.addSecs(1), false},
        {"One Time", "03/02/2026", "2:00:00 PM", monday.addDays(1), false},
        {"One Time", "03/01/2026", "2:00:00 PM", monday, false},
        {"One Time", "03/02/2026", "2:00 PM", monday, true}, // no seconds: second 0
        {"One Time", "soon", "2:00:00 PM", monday, false},
        {"One Time", "03/02/2026", "later", monday, false},
        {"Hourly", "", "xx:00:00", monday, true},
        {"Hourly", "", "xx:00:00", monday.addSecs(3600 * 5), true},
        {"Hourly", "", "xx:00:00", monday.addSecs(60), false},
        {"Hourly", "", "xx:00:00", monday.addSecs(1), false},
        {"Hourly", "", "xx:30:15", monday.addSecs(30 * 60 + 15), true},
        {"Hourly", "", "xx:0:00", monday, false}, // shorter than xx:mm:ss
        {"Daily", "", "2:00:00 PM", monday, true},
        {"Daily", "", "2:00:00 PM", monday.addSecs(-1), false},
        {"Daily", "", "2:00:00 AM", monday, false},
        {"Daily", "", "14:00:00", monday, true},
        {"Weekday", "Monday", "2:00:00 PM", monday, true},
        {"Weekday", "monday", "2:00:00 PM", monday.addDays(7), true}, // letter case aside
        {"Weekday", "Monday", "2:00:00 PM", monday.addDays(1), false},
        {"Weekday", "Sunday", "2:00:00 PM", monday.addDays(-1), true},
        {"Weekday", "Sunday", "2:00:00 PM", monday, false},
        {"Weekday", "Mondays", "2:00:00 PM", monday, false}, // a name not found never matches
        {"Start", "", "", monday, false},
        {"Fortnightly", "", "2:00:00 PM", monday, true}, // an unknown kind counts as daily
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.dayDate + " " + c.time + " at " +
                     c.at.toString(Qt::ISODateWithMs).toStdString());
        EXPECT_EQ(isDueAt(scheduleOf(c.kind, c.dayDate, c.time), c.at), c.due);
    }
}

TEST(DueRule, HourlyTimesTakeAColonOrTheUsersSeparator)
{
    const core::LocaleFormats danish(QLocale(QLocale::Danish, QLocale::Denmark));
    EXPECT_EQ(readHourlyTime("xx:05:30", danish), QTime(0, 5, 30));
    EXPECT_EQ(readHourlyTime("xx.05.30", danish), QTime(0, 5, 30));
    EXPECT_EQ(readHourlyTime("xx:05.30", danish), QTime(0, 5, 30));
    EXPECT_EQ(readHourlyTime("??:59:59 and more", danish), QTime(0, 59, 59));
    EXPECT_FALSE(readHourlyTime("xx.05.30", kUs));
    EXPECT_FALSE(readHourlyTime("xx-05-30", danish));
    EXPECT_FALSE(readHourlyTime("xx:5:30", danish));
    EXPECT_FALSE(readHourlyTime("xx:05:3x", danish));
    EXPECT_FALSE(readHourlyTime("", danish));
    EXPECT_FALSE(readHourlyTime("xx:60:00", danish)); // no minute or second 60
    EXPECT_FALSE(readHourlyTime("xx:00:60", danish));
}

// When each kind next falls due, from Monday 2 March 2026 at 14:00:00.
TEST(DueRule, TheNextTimeEachKindFallsDue)
{
    const qint64 now = wallSecondOf(QDateTime(QDate(2026, 3, 2), QTime(14, 0, 0)));
    const auto next = [now](const char* kind, const char* dayDate, const char* time) -> QDateTime {
        const auto due = nextDueAfter(scheduleOf(kind, dayDate, time), now);
        return due ? QDateTime(wallDateOf(*due), wallTimeOf(*due)) : QDateTime();
    };
    EXPECT_EQ(next("Hourly", "", "xx:00:00"), QDateTime(QDate(2026, 3, 2), QTime(15, 0)));
    EXPECT_EQ(next("Hourly", "", "xx:30:15"), QDateTime(QDate(2026, 3, 2), QTime(14, 30, 15)));
    EXPECT_EQ(next("Daily", "", "2:00:00 PM"), QDateTime(QDate(2026, 3, 3), QTime(14, 0)));
    EXPECT_EQ(next("Weekday", "Sunday", "8:00:00 AM"), QDateTime(QDate(2026, 3, 8), QTime(8, 0)));
    EXPECT_EQ(next("Weekday", "Monday", "2:00:00 PM"), QDateTime(QDate(2026, 3, 9), QTime(14, 0)));
    EXPECT_EQ(next("One Time", "03/02/2026", "2:00:01 PM"), QDateTime(QDate(2026, 3, 2), QTime(14, 0, 1)));
    EXPECT_EQ(next("One Time", "03/02/2026", "2:00:00 PM"), QDateTime()); // gone by
    EXPECT_EQ(next("Start", "", ""), QDateTime());
}

// A date this program wrote under another locale is read where its writer can be told.
TEST(DueRule, DatesWrittenUnderAnyLocaleAreReadWhereTheyCanBeToldApart)
{
    const core::LocaleFormats german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(readEventDate("12.07.2026", kUs), QDate(2026, 7, 12)); // "." only ever comes day first
    EXPECT_EQ(readEventDate("12/07/2026", german), std::nullopt);    // "/" comes both ways
    EXPECT_EQ(readEventDate("28/07/2026", german), QDate(2026, 7, 28));
    EXPECT_EQ(readEventDate("07/28/2026", german), QDate(2026, 7, 28));
    EXPECT_EQ(readEventDate("07/07/2026", german), QDate(2026, 7, 7));
    EXPECT_EQ(readEventDate("2026-07-12", german), QDate(2026, 7, 12));
    EXPECT_EQ(readEventDate("2026/07/12 and more", german), std::nullopt);
    EXPECT_EQ(readEventDate("12.07-2026", kUs), std::nullopt);
    // 28 December: a day no month can be taken for, written under every locale, read in two.
    const QDate day(2026, 12, 28);
    for (const QLocale& locale :
         QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        const QString written = core::formatDateText(day, core::LocaleFormats(locale));
        ASSERT_EQ(readEventDate(written, german), day)
            << locale.name().toStdString() << " " << written.toStdString();
        ASSERT_EQ(readEventDate(written, kUs), day)
            << locale.name().toStdString() << " " << written.toStdString();
    }
}
