#include "events/DateTimeText.h"
#include "platform/LocaleFormats.h"

#include <gtest/gtest.h>

using namespace events;

TEST(DateTimeText, TheShortDateFormatChoosesTheOrder)
{
    EXPECT_EQ(DateTextFormat("dd.MM.yy"), DateOrder::DayFirst);
    EXPECT_EQ(DateTextFormat("yyyy-MM-dd"), DateOrder::YearFirst);
    EXPECT_EQ(DateTextFormat("M/d/yy"), DateOrder::MonthFirst);
    EXPECT_EQ(DateTextFormat("'week' ee"), DateOrder::YearFirst); // the first of D, E, M, Y decides
    EXPECT_EQ(DateTextFormat(""), DateOrder::MonthFirst);

    const platform::LocaleFormats german(QLocale(QLocale::German, QLocale::Germany));
    const platform::LocaleFormats swedish(QLocale(QLocale::Swedish, QLocale::Sweden));
    const platform::LocaleFormats us(QLocale(QLocale::English, QLocale::UnitedStates));
    const QDate fifthOfMarch(2026, 3, 5);
    EXPECT_EQ(formatDateText(fifthOfMarch, german), "05.03.2026");
    EXPECT_EQ(formatDateText(fifthOfMarch, swedish), "2026-03-05");
    EXPECT_EQ(formatDateText(fifthOfMarch, us), "03/05/2026");
    for (const platform::LocaleFormats* l : {&german, &swedish, &us})
        EXPECT_EQ(parseDateText(formatDateText(fifthOfMarch, *l), *l), fifthOfMarch);
    EXPECT_EQ(parseDateText("5.3.26", german), fifthOfMarch);
    EXPECT_FALSE(parseDateText("31.02.2026", german));
    EXPECT_FALSE(parseDateText("05/03/2026", german)); // not the user's separator
    EXPECT_FALSE(parseDateText("", us));
    EXPECT_FALSE(parseDateText("1/2/3/4", us));
}

TEST(DateTimeText, TimesWithOrWithoutSecondsAndDesignators)
{
    const platform::LocaleFormats us(QLocale(QLocale::English, QLocale::UnitedStates));
    const platform::LocaleFormats german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(formatTimeText(QTime(15, 45, 0), us), "3:45:00 PM");
    EXPECT_EQ(formatTimeText(QTime(15, 45, 0), german), "15:45:00");
    EXPECT_EQ(parseTimeText("3:45:00 PM", us), QTime(15, 45, 0));
    EXPECT_EQ(parseTimeText("12:00:00 AM", us), QTime(0, 0, 0));
    EXPECT_EQ(parseTimeText("12:30 pm", us), QTime(12, 30, 0));
    EXPECT_EQ(parseTimeText("08:30:15", us), QTime(8, 30, 15)); // no designator: a 24-hour time
    EXPECT_EQ(parseTimeText("15:45", german), QTime(15, 45, 0));
    EXPECT_FALSE(parseTimeText("24:00:00", german));
    EXPECT_FALSE(parseTimeText("13:00 PM", us));
    EXPECT_FALSE(parseTimeText("10:60:00", german));
    EXPECT_FALSE(parseTimeText("xx:30:15", german));
    EXPECT_FALSE(parseTimeText("10", german));
}
