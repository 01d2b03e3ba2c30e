#include "events/NewEvent.h"
#include "core/LocaleFormats.h"

#include <gtest/gtest.h>

using namespace events;

TEST(NewEvent, DefaultsFollowTheChosenScheduleAndTheSelectedRow)
{
    const core::LocaleFormats german(QLocale(QLocale::German, QLocale::Germany));
    NewEventChoice choice;
    choice.date = QDate(2026, 3, 5);
    choice.time = QTime(9, 15, 0);
    const EventRecord fresh = makeNewEvent(choice, nullptr, german);
    EXPECT_EQ(fresh.Name, "Untitled Event");
    EXPECT_EQ(fresh.text(ScheduleName), "One Time");
    EXPECT_EQ(fresh.text(DayDate), "05.03.2026");
    EXPECT_EQ(fresh.text(TimeText), "09:15:00");
    EXPECT_EQ(fresh.text(TypeName), "Message Box");
    EXPECT_EQ(fresh.text(FolderText), "Veskel");
    EXPECT_EQ(fresh.text(FileText), "Reminder Message");
    EXPECT_EQ(fresh.text(ActiveFlag), "F");
    EXPECT_FALSE(fresh.Active);
    EXPECT_EQ(fresh.IconIndex, skOneTime);

    EventRecord program;
    program.text(TypeName) = "Run a Program";
    program.text(FolderText) = "/usr/bin/";
    program.text(FileText) = "xclock";
    program.text(RunWindow) = "3";
    choice.kind = skHourly;
    choice.hourlyMinutes = "05";
    choice.hourlySeconds = "30";
    const EventRecord hourly = makeNewEvent(choice, &program, german);
    EXPECT_EQ(hourly.text(TimeText), "xx:05:30");
    EXPECT_EQ(hourly.text(DayDate), "");
    EXPECT_EQ(hourly.text(FileText), "xclock");
    EXPECT_EQ(hourly.text(RunWindow), "3"); // the clone starts the program the same way
    EXPECT_EQ(hourly.IconIndex, skHourly);

    choice.kind = skStart;
    EXPECT_EQ(makeNewEvent(choice, nullptr, german).text(TimeText), "");
}
