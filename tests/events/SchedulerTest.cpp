#include "events/Scheduler.h"
#include "app/TfrmClock.h"
#include "events/DateTimeText.h"
#include "events/EventActions.h"
#include "events/EventList.h"
#include "events/EventStorage.h"
#include "events/EventsFile.h"
#include "support/FakePlatform.h"

#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

using namespace events;

namespace {

class RecordingActions final : public EventActions
{
public:
    using EventActions::EventActions;
    QStringList ran;
    std::function<void()> whileRunning;
    void RunEvent(EventRecord row) override
    {
        ran << row.Name;
        EventActions::RunEvent(row);
        if (whileRunning)
            whileRunning();
    }
};

class Scheduling : public ::testing::Test
{
protected:
    fakes::FakePlatform fake; // Monday 2 March 2026, 14:00:00
    EventList list;
    EventStorage storage{list, fake.programPath("Events.dta"), fake.messages};
    RecordingActions actions{fake.messages};
    Scheduler scheduler{list, fake.clock, fake.locale, actions, [this] { return storage.SaveEvents(false); }};

    void add(const QString& name, const QString& schedule, const QString& dayDate, const QString& time,
             bool active = true, const QString& type = "Message Box")
    {
        EventRecord row;
        row.Name = name;
        row.text(DayDate) = dayDate;
        row.text(TimeText) = time;
        row.text(ScheduleName) = schedule;
        row.text(TypeName) = type;
        row.text(FolderText) = name + " title";
        row.text(FileText) = name + " text";
        row.Active = active;
        list.appendRow(row);
    }
    QString date(int daysFromToday)
    {
        return formatDateText(fake.clock.current.date().addDays(daysFromToday), fake.locale);
    }
    // One observed second, as the clock's tick asks.
    QStringList scanAt(const QTime& t)
    {
        fake.clock.set(t);
        actions.ran.clear();
        for (int i = 0;;) {
            const int k = scheduler.FindDueEvent(i);
            if (k < 0)
                break;
            scheduler.RunEvent(k);
            i = k + 1;
        }
        return actions.ran;
    }
};

} // namespace

TEST_F(Scheduling, AOneTimeEventRunsOnceIsUncheckedAndSaved)
{
    add("Tea", "One Time", date(0), "2:00:00 PM");
    add("Yesterday", "One Time", date(-1), "2:00:00 PM");
    list.setSaveCommandEnabled(true);
    EXPECT_EQ(scanAt(QTime(13, 59, 59)), QStringList{});
    EXPECT_EQ(scanAt(QTime(14, 0, 0)), QStringList{"Tea"});
    EXPECT_FALSE(list.row(0).Active);
    EXPECT_TRUE(list.row(1).Active); // yesterday's stays checked and never runs
    EXPECT_EQ(fake.messages.titles, QStringList{"Tea title"});
    EXPECT_EQ(fake.messages.informations, QStringList{"Tea text"});
    EXPECT_TRUE(list.saveCommandEnabled()); // the scheduler's save leaves the command as it was

    QFile saved(storage.path());
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const EventsFileContent file = readEventsFile(saved.readAll());
    EXPECT_EQ(file.rows[0].text(ActiveFlag), "F");
    EXPECT_EQ(file.rows[1].text(ActiveFlag), "T");
    EXPECT_EQ(scanAt(QTime(14, 0, 0)), QStringList{});
}

TEST_F(Scheduling, HourlyDailyAndWeekdayRules)
{
    add("Hourly", "Hourly", "", "xx:30:15");
    add("Daily", "Daily", "", "8:00:00 AM");
    add("Monday", "Weekday", "Monday", "8:00:00 AM");
    add("Unknown kind", "Fortnightly", "", "8:00:00 AM"); // an unknown schedule counts as daily
    add("Off", "Daily", "", "8:00:00 AM", false);
    EXPECT_EQ(scanAt(QTime(0, 30, 15)), QStringList{"Hourly"});
    EXPECT_EQ(scanAt(QTime(1, 30, 15)), QStringList{"Hourly"});
    EXPECT_EQ(scanAt(QTime(1, 30, 16)), QStringList{});
    EXPECT_EQ(scanAt(QTime(8, 0, 0)), (QStringList{"Daily", "Monday", "Unknown kind"}));
    fake.clock.advance(24 * 3600); // Tuesday
    EXPECT_EQ(scanAt(QTime(8, 0, 0)), (QStringList{"Daily", "Unknown kind"}));
}

TEST_F(Scheduling, AnUnreadableRowNoLongerSilencesTheRowsAfterIt)
{
    add("Before", "Daily", "", "10:00:00 AM");
    add("Broken time", "Daily", "", "ten o'clock");
    add("Broken date", "One Time", "soon", "10:00:00 AM");
    add("Short hourly", "Hourly", "", "xx:0");
    add("After", "Daily", "", "10:00:00 AM");
    EXPECT_EQ(scanAt(QTime(10, 0, 0)), (QStringList{"Before", "After"}));
    EXPECT_TRUE(fake.messages.errors.isEmpty());
}

TEST_F(Scheduling, AOneTimeEventWhoseSaveFailsStillRuns)
{
    EventStorage nowhere(list, fake.programPath("missing-folder/Events.dta"), fake.messages);
    Scheduler failing(list, fake.clock, fake.locale, actions,
                      [&nowhere] { return nowhere.SaveEvents(false); });
    add("Tea", "One Time", date(0), "2:00:00 PM");
    EXPECT_EQ(failing.FindDueEvent(0), 0);
    EXPECT_FALSE(list.row(0).Active);
    EXPECT_TRUE(fake.messages.errors.isEmpty()); // not reported
}

TEST_F(Scheduling, StartEventsRunInOrderAndStayChecked)
{
    add("First", "Start", "", "");
    add("Timed", "Daily", "", "2:00:00 PM");
    add("Off", "Start", "", "", false);
    add("Second", "Start", "", "");
    EXPECT_EQ(scheduler.FindStartEvent(0), 0);
    EXPECT_EQ(scheduler.FindStartEvent(1), 3);
    EXPECT_EQ(scheduler.FindStartEvent(4), -1);
    EXPECT_EQ(scanAt(QTime(14, 0, 0)), QStringList{"Timed"}); // start events are never due in a scan

    app::RunFlags flags;
    app::TfrmClock clock(fake.services(), flags);
    clock.setScheduledEvents(&scheduler);
    actions.ran.clear();
    clock.show();
    QCoreApplication::processEvents();
    clock.hide();
    clock.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(actions.ran, (QStringList{"First", "Second", "First", "Second"}));
    EXPECT_TRUE(list.row(0).Active);
}

TEST_F(Scheduling, TheClockTickRunsEachEventOnceEvenWhenABoxKeepsTheClockTicking)
{
    app::RunFlags flags;
    app::TfrmClock clock(fake.services(), flags);
    clock.setScheduledEvents(&scheduler);
    flags.StartupComplete = true;
    add("Noon", "Daily", "", "10:00:00 AM");
    add("Also noon", "Daily", "", "10:00:00 AM");
    add("Five", "Daily", "", "10:00:05 AM");
    add("Minute", "Daily", "", "10:01:00 AM");

    // While the first box is open the tick runs again inside it, several times in the same second.
    int nested = 0;
    fake.messages.whileShowing = [&] {
        if (nested++ < 3)
            clock.tmrTimer();
    };
    fake.clock.set(QTime(10, 0, 0));
    clock.tmrTimer();
    fake.messages.whileShowing = {};
    EXPECT_EQ(fake.messages.titles, (QStringList{"Noon title", "Also noon title"}));

    fake.clock.set(QTime(10, 0, 4));
    clock.tmrTimer();
    fake.clock.set(QTime(10, 0, 6)); // 10:00:05 is never observed: it does not run later
    clock.tmrTimer();
    fake.clock.set(QTime(10, 1, 0)); // second 0 is scanned on every tick
    clock.tmrTimer();
    clock.tmrTimer();
    clock.tmrTimer();
    EXPECT_EQ(fake.messages.titles, (QStringList{"Noon title", "Also noon title", "Minute title"}));
}

TEST_F(Scheduling, OnlyMessageBoxesShowAnythingYet)
{
    add("Program", "Daily", "", "2:00:00 PM", true, "Run a Program");
    add("Nobody knows", "Daily", "", "2:00:00 PM", true, "Dance");
    add("Box", "Daily", "", "2:00:00 PM", true, "message box"); // letter case aside
    EXPECT_EQ(scanAt(QTime(14, 0, 0)), (QStringList{"Program", "Nobody knows", "Box"}));
    EXPECT_EQ(fake.messages.titles, QStringList{"Box title"});
}
