#include "events/EventActions.h"
#include "core/DateTimeText.h"
#include "events/EventList.h"
#include "events/EventRecord.h"
#include "events/Scheduler.h"
#include "support/FakeActions.h"
#include "support/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace events;
using ShellRun = fakes::RecordingShell::Run;

namespace {

EventRecord actionRow(const QString& type, const QString& folder, const QString& file,
                      const QString& runWindow = {})
{
    EventRecord row;
    row.Name = "Event";
    row.text(ScheduleName) = "Daily";
    row.text(TypeName) = type;
    row.text(FolderText) = folder;
    row.text(FileText) = file;
    row.text(RunWindow) = runWindow;
    return row;
}

class Actions : public ::testing::Test
{
protected:
    fakes::FakePlatform fake;
    fakes::FakeActionWorld world{fake};
    EventActions actions{world.services()};

    void run(const EventRecord& row) { actions.RunEvent(row); }
    QString sound(const QString& name)
    {
        EXPECT_TRUE(fakes::writeAllOf(fake.folders.SoundsFolder + name));
        return fake.folders.SoundsFolder + name;
    }
};

} // namespace

TEST_F(Actions, AMessageShowsItsTitleAndTextAndWaitsForNobody)
{
    run(actionRow("Message Box", "Lunch", "Go now"));
    EXPECT_EQ(fake.messages.titles, QStringList{"Lunch"});
    EXPECT_EQ(fake.messages.informations, QStringList{"Go now"});
    EXPECT_EQ(fake.messages.shownWithoutWaiting, 1);
}

TEST_F(Actions, AProgramStartsInItsFolderWithItsShowCommand)
{
    const QString longName = QString(90, 'p') + ".exe";
    run(actionRow("Run a Program", "", "notepad.exe"));
    run(actionRow("Run a Program", "/home/me/tools/", "backup.sh", "2"));
    run(actionRow("Run a Program", "/home/me/", "report.odt", "3"));
    run(actionRow("Run a Program", "", longName, "seven")); // not a number: a normal window
    EXPECT_EQ(fake.shell.runs, (std::vector<ShellRun>{{"notepad.exe", fake.folders.ProgramFolder, 5},
                                                      {"backup.sh", "/home/me/tools/", 2},
                                                      {"report.odt", "/home/me/", 3},
                                                      {longName, fake.folders.ProgramFolder, 5}}));
    EXPECT_TRUE(fake.messages.errors.isEmpty());

    // What cannot be found or run is said at once; a document the desktop's opener gives up on,
    // when it does, with the opener's words.
    fake.shell.failure = platform::RunFailure{platform::RunFailure::NotFound, {}};
    EXPECT_EQ(actions.Perform(actionOf(actionRow("Run a Program", "", "notepad.exe"))),
              ActionOutcome::Failed);
    fake.shell.failure->kind = platform::RunFailure::NotExecutable;
    run(actionRow("Run a Program", "/home/me/", "backup.sh"));
    fake.shell.failure = platform::RunFailure{platform::RunFailure::Failed,
                                              "no method available for opening"};
    fake.shell.openerFailsLater = true;
    EXPECT_EQ(actions.Perform(actionOf(actionRow("Run a Program", "/home/me/", "plan.xyz"))),
              ActionOutcome::Done);
    EXPECT_EQ(fake.messages.errors.size(), 2);
    fake.shell.failOpener();
    EXPECT_EQ(
        fake.messages.errors,
        (QStringList{"Couldn't run the file:\r\n" + fake.folders.ProgramFolder + "notepad.exe",
                     "Couldn't run the file:\r\n/home/me/backup.sh\r\nIt is a program, but it is not "
                     "marked as executable.",
                     "Couldn't run the file:\r\n/home/me/plan.xyz\r\nno method available for opening"}));
}

TEST_F(Actions, MediaPlaysFromTheSoundsFolderAndEachFileReplacesTheLast)
{
    const QString ding = sound("ding.wav");
    run(actionRow("Play a Media File", "", "ding.wav"));
    EXPECT_EQ(fake.media.played, QStringList{ding});

    // A second media event closes what plays and plays its own file.
    const QString video = fake.programPath("videos/clip.avi");
    ASSERT_TRUE(fakes::writeAllOf(video));
    run(actionRow("Play a Media File", fake.programPath("videos/"), "clip.avi"));
    run(actionRow("Play a Media File", "", "ding.wav"));
    EXPECT_EQ(fake.media.played, (QStringList{ding, video, ding}));
    EXPECT_EQ(fake.media.closes, 2);
    EXPECT_TRUE(fake.messages.errors.isEmpty());

    // A file that does not play, or has no way to be heard, is said when the player finds out.
    fake.media.failPlaying("There is no sound output on this computer.");
    EXPECT_EQ(fake.messages.errors, QStringList{"Couldn't play the file:\r\n" + ding +
                                                "\r\nThere is no sound output on this computer."});

    // A file that is not there is not played.
    EXPECT_EQ(actions.Perform(actionOf(actionRow("Play a Media File", "", "gong.wav"))),
              ActionOutcome::Failed);
    EXPECT_EQ(fake.messages.errors.last(),
              "Couldn't find the file:\r\n" + fake.folders.SoundsFolder + "gong.wav");
    EXPECT_EQ(fake.media.played.size(), 3);
}

TEST_F(Actions, TheTimeIsUpdatedOnlyWhenConnectedAndOneUpdateAtATime)
{
    const EventAction adjust = actionOf(actionRow("Adjust the Time", "", ""));
    fake.network.connected = false;
    EXPECT_EQ(actions.Perform(adjust), ActionOutcome::NotConnected);
    EXPECT_EQ(world.updates, 0);
    EXPECT_TRUE(fake.messages.titles.isEmpty() && fake.messages.errors.isEmpty());

    fake.network.connected = true;
    ActionOutcome meanwhile = ActionOutcome::Done;
    world.whileUpdating = [&] { meanwhile = actions.Perform(adjust); }; // due while the first waits
    EXPECT_EQ(actions.Perform(adjust), ActionOutcome::Done);
    EXPECT_EQ(meanwhile, ActionOutcome::Busy);
    EXPECT_EQ(world.updates, 1);
    world.whileUpdating = {};
    run(actionRow("Adjust the Time", "", ""));
    EXPECT_EQ(world.updates, 2);
}

TEST_F(Actions, AnAnnouncementNeedsACharacterFacilityAndAName)
{
    using Said = fakes::RecordingAgent::Announcement;
    run(actionRow("Microsoft Agent", "Merlin", "Time for tea"));
    EXPECT_EQ(actions.Perform(actionOf(actionRow("Microsoft Agent", "Genie", "Testing")), false),
              ActionOutcome::Done);
    EXPECT_EQ(actions.Perform(actionOf(actionRow("Microsoft Agent", "", "Nobody"))),
              ActionOutcome::NotAvailable);
    world.agent.available = false;
    EXPECT_EQ(actions.Perform(actionOf(actionRow("Microsoft Agent", "Merlin", "Hello"))),
              ActionOutcome::NotAvailable);
    EXPECT_EQ(world.agent.said,
              (std::vector<Said>{{"Merlin", "Time for tea", true}, {"Genie", "Testing", false}}));
    EXPECT_TRUE(fake.messages.errors.isEmpty() && fake.messages.warnings.isEmpty());
}

TEST_F(Actions, ATypeThisProgramDoesNotKnowDoesNothingAndIsSaidOnce)
{
    run(actionRow("Dance", "Ballroom", "Waltz"));
    run(actionRow("Dance", "Ballroom", "Tango"));
    run(actionRow("Sing", "", ""));
    EXPECT_EQ(fake.messages.warnings,
              (QStringList{"This type of event is unknown and does nothing:\r\nDance",
                           "This type of event is unknown and does nothing:\r\nSing"}));
    EXPECT_TRUE(fake.shell.runs.empty());
    EXPECT_TRUE(fake.media.played.isEmpty());
    EXPECT_TRUE(fake.messages.titles.isEmpty());
    run(actionRow("message box", "Case", "aside")); // a known name, letter case aside
    EXPECT_EQ(fake.messages.titles, QStringList{"Case"});
}

TEST_F(Actions, AOneTimeEventWhoseActionFailsStillCountsAsRun)
{
    EventList list;
    Scheduler scheduler(list, fake.locale, actions, fake.messages, {});
    EventRecord row = actionRow("Run a Program", "", "missing.exe");
    row.text(ScheduleName) = "One Time";
    row.text(DayDate) = core::formatDateText(fake.clock.current.date(), fake.locale);
    row.text(TimeText) = core::formatTimeText(fake.clock.current.time(), fake.locale);
    row.Active = true;
    list.appendRow(row);
    fake.shell.failure = platform::RunFailure{platform::RunFailure::NotFound, {}};
    scheduler.RunDueEvents(fake.clock.now());
    QCoreApplication::processEvents();
    EXPECT_FALSE(list.row(0).Active);
    EXPECT_EQ(fake.messages.errors,
              QStringList{"Couldn't run the file:\r\n" + fake.folders.ProgramFolder + "missing.exe"});
    scheduler.RunDueEvents(fake.clock.now().addSecs(86400));
    QCoreApplication::processEvents();
    EXPECT_EQ(fake.messages.errors.size(), 1);
}
