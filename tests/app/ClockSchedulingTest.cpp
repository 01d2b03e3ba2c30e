#include "app/TfrmClock.h"
#include "platform/MessageBoxes.h"
#include "support/SchedulingFixture.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace events;

namespace {

// The clock window's tick driving the scheduler.
class ClockScheduling : public fakes::Scheduling
{
};

} // namespace

// A reminder's box leaves the clock going: the face moves on, later seconds are scanned, and an
// event due while the box is open runs, in a box of its own beside the first.
TEST_F(ClockScheduling, AnOpenReminderNeitherFreezesTheClockNorHoldsBackTheNextEvent)
{
    platform::QtMessageBoxes boxes(QStringLiteral("Veskel"));
    EventActions realActions({boxes, fake.shell, fake.media, world.agent, fake.folders});
    Scheduler realScheduler(list, fake.locale, realActions, boxes, {});
    app::RunFlags flags;
    app::TfrmClock clock(fake.services(), fake.characters, flags);
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
    const auto waitFor = [](const std::function<bool()>& done) { return QTest::qWaitFor(done, 2000); };

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

// The clock's timer held back: the event loop stands still while the clock moves on 3 s, as
// under load or after a stop. Every event due meanwhile runs once, none twice.
TEST_F(ClockScheduling, EventsDueWhileTheTicksAreHeldBackEachRunOnce)
{
    app::RunFlags flags;
    app::TfrmClock clock(fake.services(), fake.characters, flags);
    clock.setScheduledEvents(&scheduler);
    flags.StartupComplete = true;
    add("At one", "One Time", date(0), "10:00:01 AM");
    add("At two", "Daily", "", "10:00:02 AM");
    add("At three", "Daily", "", "10:00:03 AM");
    add("At four", "Daily", "", "10:00:04 AM");
    QStringList hints;
    QObject::connect(&clock, &app::TfrmClock::trayHintChanged, [&hints](const QString& h) { hints << h; });
    fake.clock.set(QTime(10, 0, 0, 990));
    clock.tmr->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return hints.size() == 1; }, 2000));
    fake.clock.set(QTime(10, 0, 3, 990)); // the next tick sees 10:00:03: seconds 1 and 2 went by unseen
    ASSERT_TRUE(QTest::qWaitFor([&] { return hints.size() == 2; }, 2000));
    fake.clock.set(QTime(10, 0, 4, 990));
    ASSERT_TRUE(QTest::qWaitFor([&] { return hints.size() == 3; }, 2000));
    clock.tmr->stop();
    QCoreApplication::processEvents();
    EXPECT_EQ(actions.ran, (QStringList{"At one", "At two", "At three", "At four"}));
}
