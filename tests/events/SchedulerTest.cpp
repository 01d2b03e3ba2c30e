#include "events/Scheduler.h"
#include "app/TfrmClock.h"
#include "events/DateTimeText.h"
#include "events/EventActions.h"
#include "events/EventList.h"
#include "events/EventStorage.h"
#include "events/EventsFile.h"
#include "lang/LanguageTable.h"
#include "lang/Translate.h"
#include "support/FakeActions.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

using namespace events;

namespace {

class RecordingActions final : public EventActions
{
public:
    using EventActions::EventActions;
    QStringList ran;
    void RunEvent(EventRecord row) override
    {
        ran << row.Name;
        EventActions::RunEvent(row);
    }
};

EventRecord eventRow(const QString& name, const QString& schedule, const QString& dayDate,
                     const QString& time, bool active = true, const QString& type = "Message Box")
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
    return row;
}

class Scheduling : public ::testing::Test
{
protected:
    fakes::FakePlatform fake; // Monday 2 March 2026, 14:00:00
    EventList list;
    EventStorage storage{list, fake.programPath("Events.dta"), fake.messages};
    fakes::FakeActionWorld world{fake};
    RecordingActions actions{world.services()};
    Scheduler scheduler{list, fake.locale, actions, [this] { return storage.SaveEvents(false); }};

    void add(const QString& name, const QString& schedule, const QString& dayDate, const QString& time,
             bool active = true, const QString& type = "Message Box")
    {
        list.appendRow(eventRow(name, schedule, dayDate, time, active, type));
    }
    QString date(int daysFromToday)
    {
        return formatDateText(fake.clock.current.date().addDays(daysFromToday), fake.locale);
    }
    // One observed second, as the clock's tick asks, and the actions it started.
    QStringList scanAt(const QTime& t)
    {
        fake.clock.set(t);
        actions.ran.clear();
        scheduler.RunDueEvents(fake.clock.now());
        QCoreApplication::processEvents();
        return actions.ran;
    }
};

} // namespace

// A name that is not found makes a row daily and its action nothing: rows made in English must
// keep their own schedule and action under a language chosen later.
TEST_F(Scheduling, EventsMadeBeforeALanguageWasChosenKeepTheirScheduleAndAction)
{
    const lang::LanguageTable german = lang::LanguageTable::fromText(
        "One Time=Einmalig\nWeekday=Wochentag\nMonday=Montag\nTuesday=Dienstag\nMessage Box=Meldung\n");
    lang::setActiveLanguage(&german);
    add("Made in English", "One Time", date(0), "2:00:00 PM");
    add("Yesterday", "One Time", date(-1), "2:00:00 PM");
    add("Every Monday", "Weekday", "Monday", "2:00:00 PM");
    add("Every Tuesday", "Weekday", "Tuesday", "2:00:00 PM");
    add("Made in German", "Einmalig", date(0), "2:00:00 PM", true, "Meldung");
    const QStringList ran = scanAt(QTime(14, 0, 0));
    lang::setActiveLanguage(nullptr);
    EXPECT_EQ(ran, (QStringList{"Made in English", "Every Monday", "Made in German"}));
    EXPECT_EQ(fake.messages.titles,
              (QStringList{"Made in English title", "Every Monday title", "Made in German title"}));
}

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

TEST_F(Scheduling, AnEditCountsFromTheNextScanAndAnUnreadableRowSilencesNoOther)
{
    add("Before", "Daily", "", "10:00:00 AM");
    add("Broken time", "Daily", "", "ten o'clock");
    add("Broken date", "One Time", "soon", "10:00:00 AM");
    add("Short hourly", "Hourly", "", "xx:0");
    add("After", "Daily", "", "10:00:00 AM");
    EXPECT_EQ(scanAt(QTime(10, 0, 0)), (QStringList{"Before", "After"}));
    EXPECT_TRUE(fake.messages.errors.isEmpty());

    // Rows read once are read again when their texts change, wherever the rows have moved.
    EventRecord mended = list.row(1);
    mended.text(TimeText) = "10:00:01 AM";
    list.setRow(1, mended);
    list.removeRow(0);
    EXPECT_EQ(scanAt(QTime(10, 0, 1)), QStringList{"Broken time"});
    EventRecord weekly = list.row(0);
    weekly.text(ScheduleName) = "Weekday";
    weekly.text(DayDate) = "Tuesday";
    list.setRow(0, weekly);
    EXPECT_EQ(scanAt(QTime(10, 0, 1)), QStringList{});
    list.sortRows(0, true); // "Short hourly", "Broken time", "Broken date", "After"
    list.setActive(3, false);
    EXPECT_EQ(scanAt(QTime(10, 0, 0)), QStringList{});
}

TEST_F(Scheduling, AOneTimeEventWhoseSaveFailsStillRuns)
{
    EventStorage nowhere(list, fake.programPath("missing-folder/Events.dta"), fake.messages);
    Scheduler failing(list, fake.locale, actions, [&nowhere] { return nowhere.SaveEvents(false); });
    add("Tea", "One Time", date(0), "2:00:00 PM");
    EXPECT_EQ(failing.FindDueEvent(0, fake.clock.now()), 0);
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
    scheduler.RunEvent(0);
    EXPECT_TRUE(list.row(0).Active);
}

TEST_F(Scheduling, TheClockTickRunsEachEventOnceAndNoSecondItDidNotSee)
{
    app::RunFlags flags;
    app::TfrmClock clock(fake.services(), flags);
    clock.setScheduledEvents(&scheduler);
    flags.StartupComplete = true;
    add("Ten", "Daily", "", "10:00:00 AM");
    add("Also ten", "Daily", "", "10:00:00 AM");
    add("Five", "Daily", "", "10:00:05 AM");
    add("Minute", "Daily", "", "10:01:00 AM");

    const auto tickAt = [&](const QTime& t) {
        fake.clock.set(t);
        clock.tmrTimer();
        QCoreApplication::processEvents();
    };
    tickAt(QTime(10, 0, 0)); // second 0 is scanned on every tick
    tickAt(QTime(10, 0, 0, 200));
    tickAt(QTime(10, 0, 0, 400));
    tickAt(QTime(10, 0, 4));
    tickAt(QTime(10, 0, 6)); // 10:00:05 is never observed: it does not run later
    tickAt(QTime(10, 1, 0));
    tickAt(QTime(10, 1, 0, 200));
    EXPECT_EQ(actions.ran, (QStringList{"Ten", "Also ten", "Minute"}));
}

TEST_F(Scheduling, TheScanLooksAtTheSecondTheTickRead)
{
    // The clock moves on a millisecond with every read: the tick reads 10:00:04.999, and anything
    // that read the clock again would see 10:00:05.
    app::RunFlags flags;
    app::TfrmClock clock(fake.services(), flags);
    clock.setScheduledEvents(&scheduler);
    flags.StartupComplete = true;
    add("Four", "Daily", "", "10:00:04 AM");
    add("Five", "Daily", "", "10:00:05 AM");
    fake.clock.set(QTime(10, 0, 3, 500));
    clock.tmrTimer();
    fake.clock.set(QTime(10, 0, 4, 999));
    fake.clock.msPerRead = 1;
    clock.tmrTimer();
    QCoreApplication::processEvents();
    EXPECT_EQ(actions.ran, QStringList{"Four"});
}

TEST_F(Scheduling, AOneTimeEventAtTwoRunsInEveryKindOfLocale)
{
    const QLocale locales[] = {
        QLocale(QLocale::Spanish, QLocale::Spain),       QLocale(QLocale::NorwegianNynorsk, QLocale::Norway),
        QLocale(QLocale::French, QLocale::Canada),       QLocale(QLocale::Japanese, QLocale::Japan),
        QLocale(QLocale::Korean, QLocale::SouthKorea),   QLocale(QLocale::Chinese, QLocale::Taiwan),
        QLocale(QLocale::Arabic, QLocale::Egypt),        QLocale(QLocale::Finnish, QLocale::Finland),
        QLocale(QLocale::English, QLocale::UnitedStates)};
    for (const QLocale& l : locales) {
        SCOPED_TRACE(l.name().toStdString());
        const platform::LocaleFormats locale(l);
        EventList rows;
        RecordingActions ran(world.services());
        Scheduler localScheduler(rows, locale, ran, {});
        const QDateTime two(QDate(2026, 3, 2), QTime(14, 0, 0));
        rows.appendRow(eventRow("Two", "One Time", formatDateText(two.date(), locale),
                                formatTimeText(two.time(), locale)));
        rows.appendRow(eventRow("Every hour", "Hourly", "", "xx:00:00"));
        localScheduler.RunDueEvents(two.addSecs(-1));
        localScheduler.RunDueEvents(two);
        localScheduler.RunDueEvents(two.addSecs(1));
        QCoreApplication::processEvents();
        EXPECT_EQ(ran.ran, (QStringList{"Two", "Every hour"}))
            << rows.row(0).text(DayDate).toStdString() << " " << rows.row(0).text(TimeText).toStdString();
        EXPECT_FALSE(rows.row(0).Active);
    }
}

// A reminder's box leaves the clock going: the face moves on, later seconds are scanned, and an
// event due while the box is open runs, in a box of its own beside the first.
TEST_F(Scheduling, AnOpenReminderNeitherFreezesTheClockNorHoldsBackTheNextEvent)
{
    platform::QtMessageBoxes boxes(QStringLiteral("Veskel"));
    EventActions realActions({boxes, fake.shell, fake.media, world.agent, fake.folders});
    Scheduler realScheduler(list, fake.locale, realActions, {});
    app::RunFlags flags;
    app::TfrmClock clock(fake.services(), flags);
    clock.setScheduledEvents(&realScheduler);
    flags.StartupComplete = true;
    add("First", "Daily", "", "2:00:00 PM");
    add("Meanwhile", "One Time", date(0), "2:00:02 PM");

    const auto shownBoxes = [] {
        QStringList titles;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
                titles << box->windowTitle();
        return titles;
    };
    // Waits for a condition while the event loop runs, at most two seconds.
    const auto waitFor = [](const std::function<bool()>& done) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    };

    const auto closeBoxes = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w))
                box->close();
    };
    // A box that waited for the user would wait for ever: a watchdog closes it.
    QTimer::singleShot(5000, &clock, closeBoxes);

    // While the first box is open the clock moves on two seconds, and then two more. Just before
    // the end of each second, so the clock's timer, which wakes as a second begins, comes soon.
    QStringList hints;
    QObject::connect(&clock, &app::TfrmClock::trayHintChanged, [&hints](const QString& h) { hints << h; });
    fake.clock.set(QTime(14, 0, 0, 990));
    clock.tmr->start();
    ASSERT_TRUE(waitFor([&] { return shownBoxes().contains("First title"); }));
    fake.clock.set(QTime(14, 0, 2, 990));
    waitFor([&] { return shownBoxes().contains("Meanwhile title"); });
    fake.clock.set(QTime(14, 0, 4, 990));
    waitFor([&] { return hints.size() >= 3; });
    QStringList open = shownBoxes();
    open.sort();
    clock.tmr->stop();
    closeBoxes();
    QCoreApplication::processEvents();

    EXPECT_EQ(open, (QStringList{"First title", "Meanwhile title"}));
    EXPECT_FALSE(list.row(1).Active);
    EXPECT_EQ(hints, (QStringList{"2:00:00 PM, Monday, March 2, 2026", "2:00:02 PM, Monday, March 2, 2026",
                                  "2:00:04 PM, Monday, March 2, 2026"}));
}
