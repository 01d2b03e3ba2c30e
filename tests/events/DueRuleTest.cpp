#include "events/DueRule.h"
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
        {"One Time", "03/02/2026", "2:00:00 PM", monday.addSecs(3600), false},
        {"One Time", "03/02/2026", "2:00:00 PM", monday.addDays(1), false},
        {"One Time", "03/01/2026", "2:00:00 PM", monday, false},
        {"One Time", "03/02/2026", "2:00 PM", monday, true}, // no seconds: second 0
        {"One Time", "soon", "2:00:00 PM", monday, false},
        {"One Time", "03/02/2026", "later", monday, false},
        {"Hourly", "", "xx:00:00", monday, true},
        {"Hourly", "", "xx:00:00", monday.addSecs(3600 * 5), true},
        {"Hourly", "", "xx:00:00", monday.addDays(3), true},
        {"Hourly", "", "xx:00:00", monday.addSecs(60), false},
        {"Hourly", "", "xx:00:00", monday.addSecs(1), false},
        {"Hourly", "", "xx:30:15", monday.addSecs(30 * 60 + 15), true},
        {"Hourly", "", "xx:0:00", monday, false}, // shorter than xx:mm:ss
        {"Hourly", "", "xx:60:00", monday, false},
        {"Daily", "", "2:00:00 PM", monday, true},
        {"Daily", "", "2:00:00 PM", monday.addDays(-40), true},
        {"Daily", "", "2:00:00 PM", monday.addSecs(-1), false},
        {"Daily", "", "2:00:00 AM", monday, false},
        {"Daily", "", "14:00:00", monday, true},
        {"Weekday", "Monday", "2:00:00 PM", monday, true},
        {"Weekday", "monday", "2:00:00 PM", monday.addDays(7), true}, // letter case aside
        {"Weekday", "Monday", "2:00:00 PM", monday.addDays(1), false},
        {"Weekday", "Sunday", "2:00:00 PM", monday.addDays(-1), true},
        {"Weekday", "Sunday", "2:00:00 PM", monday, false},
        {"Weekday", "Monday", "2:00:01 PM", monday, false},
        {"Weekday", "Mondays", "2:00:00 PM", monday, false}, // a name not found never matches
        {"Start", "", "", monday, false},
        {"Start", "", "2:00:00 PM", monday, false},
        {"Fortnightly", "", "2:00:00 PM", monday, true}, // an unknown kind counts as daily
        {"Fortnightly", "", "2:00:00 PM", monday.addSecs(1), false},
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
}
