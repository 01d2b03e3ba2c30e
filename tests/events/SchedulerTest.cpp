#include "events/Scheduler.h"
#include "core/DateTimeText.h"
#include "events/EventActions.h"
#include "events/EventList.h"
#include "events/EventStorage.h"
#include "events/EventsFile.h"
#include "lang/LanguageTable.h"
#include "lang/Translate.h"
#include "support/Files.h"
#include "support/SchedulingFixture.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
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
    ASSERT_TRUE(fakes::writeAllOf(fake.programPath("plain")));
    EventStorage nowhere(list, fake.programPath("plain/Events.dta"), fake.messages, &fake.fileNotices);
    Scheduler failing(list, fake.locale, actions, [&nowhere] { return nowhere.SaveEvents(false); });
    add("Tea", "One Time", date(0), "2:00:00 PM");
    EXPECT_EQ(failing.FindDueEvent(0, fake.clock.now()), 0);
    EXPECT_FALSE(list.row(0).Active);
    EXPECT_EQ(fake.told.size(), 1); // in a box that does not hold the clock up
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
        Scheduler localScheduler(rows, locale, ran, {});
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
