#include "events/Scheduler.h"
#include "core/DateTimeText.h"
#include "events/EventActions.h"
#include "events/EventList.h"
#include "events/EventStorage.h"
#include "events/EventsFile.h"
#include "events/EventsPage.h"
#include "events/TfrmEventDetails.h"
#include "lang/LanguageTable.h"
#include "lang/Translate.h"
#include "support/Files.h"
#include "support/SchedulingFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QTimeEdit>
#include <QTimeZone>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace events;
using fakes::eventRow;
using fakes::RecordingActions;
using fakes::Scheduling;

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

// The file gets the fired event unchecked and nothing else: edits not saved yet stay the user's
// to keep or drop at the close question.
TEST_F(Scheduling, AOneTimeEventRunsOnceIsUncheckedAndOnlyThatIsSaved)
{
    add("Tea", "One Time", date(0), "2:00:00 PM");
    add("Yesterday", "One Time", date(-1), "2:00:00 PM");
    ASSERT_TRUE(storage.SaveEvents(true));
    EventRecord renamed = list.row(1);
    renamed.Name = "Renamed, not saved";
    list.setRow(1, renamed);
    add("Added, not saved", "One Time", date(0), "2:00:00 PM");
    list.setSaveCommandEnabled(true);
    EXPECT_EQ(scanAt(QTime(13, 59, 59)), QStringList{});
    EXPECT_EQ(scanAt(QTime(14, 0, 0)), (QStringList{"Tea", "Added, not saved"}));
    EXPECT_FALSE(list.row(0).Active);
    EXPECT_TRUE(list.row(1).Active); // yesterday's stays checked and never runs
    EXPECT_EQ(fake.messages.titles, (QStringList{"Tea title", "Added, not saved title"}));
    EXPECT_TRUE(list.saveCommandEnabled()); // the scheduler's save leaves the command as it was

    // "No" at the close question: the file as saved, with the fired event unchecked.
    storage.LoadEvents();
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.row(0).text(ActiveFlag), "F");
    EXPECT_EQ(list.row(1).Name, "Yesterday");
    EXPECT_TRUE(list.row(1).Active);
    EXPECT_EQ(scanAt(QTime(14, 0, 0)), QStringList{});
}

// Rows that cannot be read are said once a run; a date written under another locale is read.
TEST_F(Scheduling, AnEditCountsFromTheNextScanAndAnUnreadableRowIsSaidButSilencesNoOther)
{
    add("Before", "Daily", "", "10:00:00 AM");
    add("Broken time", "Daily", "", "ten o'clock");
    add("Broken date", "One Time", "soon", "10:00:00 AM");
    add("Short hourly", "Hourly", "", "xx:0");
    add("After", "Daily", "", "10:00:00 AM");
    add("German date", "One Time", "02.03.2026", "10:00:00 AM");
    EXPECT_EQ(scanAt(QTime(10, 0, 0)), (QStringList{"Before", "After", "German date"}));
    list.removeRow(5);

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
    EXPECT_EQ(fake.messages.warnings, QStringList{"These events cannot run: their date or time cannot be "
                                                  "read:\r\nBroken time\r\nBroken date\r\nShort hourly"});
}

TEST_F(Scheduling, AOneTimeEventWhoseSaveFailsStillRuns)
{
    // The file was saved with the event in it, and is then made impossible to write.
    EventStorage nowhere(list, fake.programPath("Events.dta"), fake.messages, &fake.fileNotices);
    add("Tea", "One Time", date(0), "2:00:00 PM");
    ASSERT_TRUE(nowhere.SaveEvents(false));
    ASSERT_TRUE(QFile::remove(fake.programPath("Events.dta")) &&
                QDir().mkdir(fake.programPath("Events.dta")));
    Scheduler failing(list, fake.locale, actions, fake.messages,
                      [&nowhere](int row) { return nowhere.SaveFiredEvent(row); });
    failing.RunDueEvents(fake.clock.now());
    QCoreApplication::processEvents();
    EXPECT_EQ(actions.ran, QStringList{"Tea"});
    EXPECT_FALSE(list.row(0).Active);
    EXPECT_EQ(fake.told.size(), 1); // in a box that does not hold the clock up
}

// The clock jumps forward 3 s, then 10 min, then back an hour: what fell due meanwhile runs once,
// a minute late or more with the time it was due; nothing runs a second time.
TEST_F(Scheduling, WhatFellDueWhileNoSecondWasSeenRunsOnceAndNothingRunsTwice)
{
    add("Every hour", "Hourly", "", "xx:30:00");
    add("Daily", "Daily", "", "10:00:02 AM");
    add("Once", "One Time", date(0), "10:05:00 AM");
    EXPECT_EQ(scanAt(QTime(10, 0, 0)), QStringList{});
    EXPECT_EQ(scanAt(QTime(10, 0, 3)), QStringList{"Daily"});
    EXPECT_EQ(scanAt(QTime(10, 10, 3)), QStringList{"Once"});
    EXPECT_EQ(scanAt(QTime(10, 30, 0)), QStringList{"Every hour"});
    EXPECT_EQ(fake.messages.informations,
              (QStringList{"Daily text", "Once text\r\n\r\nThis reminder was due at 10:05:00 AM.",
                           "Every hour text"}));
    EXPECT_FALSE(list.row(2).Active);
    EXPECT_EQ(scanAt(QTime(9, 30, 0)), QStringList{});
    EXPECT_EQ(scanAt(QTime(10, 0, 2)), QStringList{});
    EXPECT_EQ(scanAt(QTime(10, 30, 0)), QStringList{});
    EXPECT_EQ(scanAt(QTime(11, 30, 0)), QStringList{"Every hour"});
    // A day later than the last second seen: each event once, in the order they fell due.
    fake.clock.advance(24 * 3600);
    EXPECT_EQ(scanAt(QTime(12, 0, 0)), (QStringList{"Daily", "Every hour"}));
}

// When daylight saving time ends, 02:00 to 03:00 comes twice: its events run the first time only.
TEST_F(Scheduling, TheHourShownTwiceWhenDaylightSavingTimeEndsRunsNothingTwice)
{
    add("Half past two", "Daily", "", "2:30:00 AM");
    add("Quarter to", "Hourly", "", "xx:45:00");
    fake.clock.current = QDateTime(QDate(2026, 10, 25), QTime(1, 59, 59), QTimeZone("Europe/Berlin"));
    QStringList ran;
    for (int step = 0; step < 18; ++step) { // three hours in steps of ten minutes
        fake.clock.advance(600);
        actions.ran.clear();
        scheduler.RunDueEvents(fake.clock.now());
        QCoreApplication::processEvents();
        ran += actions.ran;
    }
    EXPECT_EQ(fake.clock.current.time(), QTime(3, 59, 59));
    EXPECT_EQ(ran, (QStringList{"Half past two", "Quarter to", "Quarter to"})); // 02:45 once, 03:45
}

// "Remind me again in 10 minutes": the same reminder then, the event as it was.
TEST_F(Scheduling, AReminderPutOffComesAgainWithoutChangingTheEvent)
{
    add("Tea", "One Time", date(0), "2:00:00 PM");
    scanAt(QTime(14, 0, 0));
    EXPECT_EQ(fake.messages.laterChoices,
              (QStringList{"Remind me again in 5 minutes", "Remind me again in 10 minutes",
                           "Remind me again in 15 minutes", "Remind me again in 30 minutes",
                           "Remind me again in 60 minutes"}));
    fake.messages.remindLater(1);
    const EventRecord before = list.row(0);
    scanAt(QTime(14, 9, 59));
    EXPECT_EQ(fake.messages.titles.size(), 1);
    scanAt(QTime(14, 10, 0));
    EXPECT_EQ(fake.messages.titles, (QStringList{"Tea title", "Tea title"}));
    EXPECT_EQ(list.row(0), before);
}

// The page shows what the scheduler did to the row it shows, and when each event runs next.
TEST_F(Scheduling, TheEventsPageShowsWhatTheSchedulerDid)
{
    TfrmEventDetails details(fake.services());
    EventsPage page(list, storage, details, fake.services());
    add("Tea", "One Time", date(0), "2:00:00 PM");
    add("Breakfast", "Daily", "", "9:00:00 AM");
    const auto nextRun = [&page](int row) {
        return page.lvReport->model()->index(row, EventList::NextRunColumn).data().toString();
    };
    page.selectRow(0);
    EXPECT_TRUE(page.chkActive->isChecked());
    EXPECT_EQ(nextRun(0), "2:00:00 PM");
    EXPECT_EQ(nextRun(1), "3/3/26 9:00:00 AM");
    scanAt(QTime(14, 0, 0));
    EXPECT_FALSE(page.chkActive->isChecked());
    EXPECT_EQ(nextRun(0), "");
    fake.clock.advance(1);
    page.chkActive->click(); // checked again, as it was
    EXPECT_TRUE(page.lblPassed->isVisibleTo(&page));
    EXPECT_EQ(nextRun(0), "This event's time has passed");
    page.DTPTime->setTime(QTime(14, 5, 0));
    EXPECT_FALSE(page.lblPassed->isVisibleTo(&page));
    EXPECT_EQ(nextRun(0), "2:05:00 PM");
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
        const core::LocaleFormats locale(l);
        EventList rows;
        RecordingActions ran(world.services());
        Scheduler localScheduler(rows, locale, ran, fake.messages, {});
        const QDateTime two(QDate(2026, 3, 2), QTime(14, 0, 0));
        rows.appendRow(eventRow("Two", "One Time", core::formatDateText(two.date(), locale),
                                core::formatTimeText(two.time(), locale)));
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
