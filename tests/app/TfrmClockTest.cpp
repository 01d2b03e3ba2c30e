#include "app/TfrmClock.h"
#include "support/CharacterFixtures.h"
#include "support/ClockFixture.h"
#include "support/Files.h"

#include <QFile>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using app::TfrmClock;

namespace {

class RecordingEvents final : public events::ScheduledEvents
{
public:
    int scans = 0; // times the scheduler was handed the time
    std::vector<int> runs;
    std::vector<int> starts; // rows that are start events

    void RunDueEvents(const QDateTime&) override { ++scans; }
    int FindStartEvent(int start) override
    {
        for (int row : starts)
            if (row >= start)
                return row;
        return -1;
    }
    void RunEvent(int index) override { runs.push_back(index); }
};

using ClockWindow = fakes::ClockFixture;

} // namespace

TEST_F(ClockWindow, AFreshUserGetsAnEllipticClockAt207By104)
{
    TfrmClock& c = create();
    startUp();
    EXPECT_EQ(c.geometry(), QRect(207, 104, 150, 150));
    EXPECT_FALSE(flags.FirstRun);
    ASSERT_TRUE(c.hasRegion());
    EXPECT_TRUE(c.mask().contains(QPoint(75, 75)));
    EXPECT_FALSE(c.mask().contains(QPoint(3, 3)));
    EXPECT_EQ(c.Settings.CaptionFont.pointSize(), 6); // no picture: nothing is narrow enough
    EXPECT_EQ(c.Settings.CaptionText, app::MakerWebAddress);
    EXPECT_TRUE(c.windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(ClockWindow, AFirstRunWithALanguageShowsTheFishInItsOutline)
{
    fake.settings.set("Clock", "Language", "German");
    fake.installShippedPicture("fish.bmp");
    layFirstRunMarker();
    TfrmClock& c = create();
    startUp();
    EXPECT_TRUE(flags.FirstRun);
    EXPECT_FALSE(QFile::exists(fake.folders.firstRunMarker()));
    EXPECT_TRUE(fake.autostart.on);
    EXPECT_EQ(c.geometry(), QRect(0, 0, 269, 269));
    EXPECT_EQ(c.Settings.Shape, app::ShapePicture);
    EXPECT_EQ(c.Settings.PictureFile, fake.folders.ClocksFolder + "fish.bmp");
    EXPECT_EQ(c.Settings.CaptionText, QString("Right Click Me!"));
    EXPECT_TRUE(c.Settings.CaptionFont.bold());
    EXPECT_EQ(c.Settings.CaptionColor, app::clYellow);
    ASSERT_TRUE(c.hasRegion());
    EXPECT_TRUE(c.mask().contains(QPoint(134, 134))); // the body
    EXPECT_FALSE(c.mask().contains(QPoint(0, 0)));    // the water around it
    EXPECT_FALSE(c.mask().contains(QPoint(123, 50))); // between two dorsal fins
    EXPECT_FALSE(c.mask().contains(QPoint(10, 134))); // inside the forked tail

    // The showing is over; a later run is no first run.
    c.UpdateCaptionFont();
    EXPECT_EQ(c.Settings.CaptionColor, app::clYellow); // caption stays as the first run set it
}

TEST_F(ClockWindow, AFirstRunWithoutTheGlobeKeepsTheLoadedShape)
{
    layFirstRunMarker();
    TfrmClock& c = create();
    startUp();
    EXPECT_TRUE(flags.FirstRun);
    EXPECT_TRUE(c.Settings.PictureFile.isEmpty());
    EXPECT_EQ(c.Settings.Shape, app::ShapeEllipse);
    EXPECT_EQ(c.geometry(), QRect(0, 0, 150, 150));
}

TEST_F(ClockWindow, ANamedPictureThatCannotBeShownIsReportedAndTheClockStillShows)
{
    const QString broken = fake.programPath("broken.bmp");
    ASSERT_TRUE(fakes::writeAllOf(broken, "BM not really a bitmap"));
    fake.settings.set("Clock", "Picture File", broken);
    fake.settings.set("Clock", "Shape", "2");
    TfrmClock& c = create();
    startUp();
    ASSERT_EQ(fake.messages.errors.size(), 1);
    EXPECT_TRUE(fake.messages.errors[0].contains("broken.bmp"));
    EXPECT_TRUE(c.isVisible());
    EXPECT_FALSE(c.hasRegion()); // an empty frame has no outline: the whole rectangle shows
}

TEST_F(ClockWindow, NothingTicksBeforeStartUpIsCompleteAndAHiddenClockHidesAfterIt)
{
    fake.settings.set("Clock", "Visible", "0");
    TfrmClock& c = create();
    RecordingEvents events;
    c.setScheduledEvents(&events);
    c.show();
    c.tmrTimer();
    c.VisibilityEventTimer();
    EXPECT_TRUE(c.TrayHint.isEmpty());
    EXPECT_EQ(events.scans, 0);
    EXPECT_TRUE(c.isVisible());

    flags.StartupComplete = true;
    c.tmrTimer();
    EXPECT_EQ(events.scans, 1);
    c.VisibilityEventTimer();
    EXPECT_FALSE(c.isVisible());
    c.show();
    c.VisibilityEventTimer(); // the timer has stopped for good: it does not hide the clock again
    EXPECT_TRUE(c.isVisible());
}

TEST_F(ClockWindow, TheTrayHintFollowsTheTimeEvenWhileHidden)
{
    TfrmClock& c = create();
    QSignalSpy hints(&c, &TfrmClock::trayHintChanged);
    flags.StartupComplete = true;
    c.tmrTimer();
    EXPECT_EQ(c.TrayHint, QString("2:00:00 PM, Monday, March 2, 2026"));
    c.tmrTimer();
    fake.clock.advance(1);
    c.tmrTimer();
    EXPECT_EQ(hints.count(), 2);
    EXPECT_EQ(c.TrayHint, QString("2:00:01 PM, Monday, March 2, 2026"));
    EXPECT_TRUE(c.BackBuffer().isNull()); // hidden: nothing drawn
}

TEST_F(ClockWindow, OnlyAFrameThatChangedIsPutOnScreen)
{
    TfrmClock& c = create();
    startUp();
    c.tmrTimer();
    const int first = c.presentedFrames();
    c.tmrTimer();
    c.tmrTimer();
    EXPECT_EQ(c.presentedFrames(), first);
    fake.clock.advance(1);
    c.tmrTimer();
    EXPECT_EQ(c.presentedFrames(), first + 1);
    EXPECT_EQ(c.shownFrame().convertToFormat(QImage::Format_RGB32), c.BackBuffer());

    // Only the area around the moved hands is copied to the screen: over two and a half minutes
    // of hands in inverting pen modes crossing each other, what is shown stays the whole frame.
    c.Settings.SecHand.Mode = app::pmNotXor;
    c.Settings.MinHand.Mode = app::pmXor;
    c.Settings.HourHand.Width = 9;
    for (int second = 0; second < 150; ++second) {
        fake.clock.advance(1);
        c.tmrTimer();
        if (second == 75)
            c.Settings.CaptionText = "changed"; // a change besides the hands: the whole face
        ASSERT_EQ(c.shownFrame().convertToFormat(QImage::Format_RGB32), c.BackBuffer()) << second;
    }
}

TEST_F(ClockWindow, DraggingMovesOnlyOnStepsLargerThanOnePixel)
{
    TfrmClock& c = create();
    startUp();
    const QPoint start = c.pos();
    const auto send = [&c](QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(c.mapFromGlobal(global)), QPointF(global), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(&c, &event);
    };
    send(QEvent::MouseButtonPress, {300, 200}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {301, 201}, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, {302, 202}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(c.pos(), start);
    send(QEvent::MouseMove, {304, 202}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(c.pos(), start + QPoint(2, 0));
    send(QEvent::MouseButtonRelease, {304, 202}, Qt::LeftButton, Qt::NoButton);
    send(QEvent::MouseMove, {340, 240}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(c.pos(), start + QPoint(2, 0));

    QSignalSpy popup(&c, &TfrmClock::popupRequested);
    QSignalSpy configure(&c, &TfrmClock::configureRequested);
    send(QEvent::MouseButtonPress, {310, 210}, Qt::RightButton, Qt::RightButton);
    send(QEvent::MouseButtonDblClick, {310, 210}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(popup.count(), 1);
    EXPECT_EQ(configure.count(), 1);
}

TEST_F(ClockWindow, ScreenPositionsOnTopAndTheSettingsWrittenAtTheEnd)
{
    TfrmClock& c = create();
    startUp();
    c.ScreenPosition(9);
    EXPECT_EQ(c.pos(), QPoint(874, 618));
    c.SetOnTop(true);
    EXPECT_TRUE(c.isVisible()); // changing the window's flags hides it, and it is shown again
    c.SetOnTop(false);

    c.tmr->setInterval(300);
    clock.reset();
    EXPECT_EQ(fake.settings.syncs, 1);
    EXPECT_EQ(fake.settings.stored("Clock", "Left"), QString("874"));
    EXPECT_EQ(fake.settings.stored("Clock", "Top"), QString("618"));
    EXPECT_EQ(fake.settings.stored("Clock", "Interval"), QString("300"));
    EXPECT_EQ(fake.settings.stored("Clock", "OnTop"), QString("0"));
}

TEST_F(ClockWindow, SettingsThatCouldNotBeSavedAreToldOnceWithTheFileAndWhy)
{
    create();
    fake.settings.syncResult = platform::SaveResult::failure("No space left on device",
                                                             "/home/u/Veskel.conf");
    clock->SaveSettings();
    clock.reset();
    EXPECT_EQ(fake.told, QStringList{"Cannot create file /home/u/Veskel.conf\nNo space left on device"});
}

TEST_F(ClockWindow, StartEventsRunAtEveryShowingButNotWhenOnlyTheFlagsChange)
{
    TfrmClock& c = create();
    RecordingEvents events;
    events.starts = {0, 2};
    c.setScheduledEvents(&events);
    startUp();
    EXPECT_EQ(events.runs, (std::vector<int>{0, 2}));
    c.SetOnTop(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(events.runs.size(), 2u);
    c.hide();
    c.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(events.runs, (std::vector<int>{0, 2, 0, 2}));
}

TEST_F(ClockWindow, TheCharacterComesWithTheClockAndKeepsTheDraggedPlaceOverARestart)
{
    create();
    EXPECT_FALSE(clock->Agent->AgentAvailable()); // no character file: no service, and no word of it
    EXPECT_TRUE(fake.characters.log.isEmpty());
    EXPECT_TRUE(fake.messages.errors.isEmpty());
    clock.reset();

    fixtures::writeCharacterFile(fake.folders.CharsFolder, "merlin.acs", fixtures::smallCharacter());
    create();
    ASSERT_TRUE(clock->Agent->AgentAvailable());
    EXPECT_TRUE(fake.characters.isLoaded("merlin"));
    fake.characters.drag("merlin", 333, 222);
    clock->close();
    EXPECT_FALSE(fake.characters.isLoaded("merlin"));
    EXPECT_EQ(fake.characters.log.mid(fake.characters.log.size() - 3),
              (QStringList{"Hide merlin 1", "Unload merlin", "Connected 0"}));
    clock.reset(); // saves the settings
    EXPECT_EQ(fake.settings.stored("Agent", "Left"), QStringLiteral("333"));
    EXPECT_EQ(fake.settings.stored("Agent", "Top"), QStringLiteral("222"));

    flags.ShuttingDown = false;
    fake.characters.log.clear();
    create();
    clock->Agent->Announce("merlin", "Hello again", true);
    EXPECT_EQ(fake.characters.log.mid(2, 2), (QStringList{"Left merlin 333", "Top merlin 222"}));
}

// The clock wakes once a second, just after the second begins, wherever in a second it looks.
TEST(ClockTicker, EveryTickLandsJustPastTheNextSecond)
{
    for (int ms = 0; ms < 1000; ++ms) {
        const int at = ms + app::ClockTicker::delayToNextSecond(ms);
        EXPECT_GE(at, 1001) << ms;
        EXPECT_LE(at, 1005) << ms;
    }
}
