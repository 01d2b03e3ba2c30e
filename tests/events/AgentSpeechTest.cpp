#include "events/AgentSpeech.h"
#include "events/EventActions.h"
#include "events/EventRecord.h"

#include "lang/LanguageTable.h"
#include "lang/Translate.h"
#include "support/CharacterFixtures.h"
#include "support/FakeCharacterService.h"
#include "support/FakePlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>

#include <gtest/gtest.h>

using events::AgentSpeech;

namespace {

class AgentSpeechTest : public ::testing::Test
{
protected:
    fakes::FakePlatform platform;
    fakes::FakeCharacterService service;
    QString character = QStringLiteral("merlin");
    QString file = QStringLiteral("merlin.acs");
    int left = 207;
    int top = 104;
    QString language;
    bool shuttingDown = false;
    AgentSpeech agent{service,         {character, file, left, top, language},
                      shuttingDown,    platform.messages,
                      platform.clock,  platform.locale,
                      platform.folders};

    void SetUp() override
    {
        fixtures::writeCharacterFile(platform.folders.CharsFolder, "merlin.acs", fixtures::smallCharacter());
        platform.clock.current = QDateTime(QDate(2026, 3, 2), QTime(15, 5, 0));
    }
    void TearDown() override { lang::setActiveLanguage(nullptr); }

    void start()
    {
        agent.Start();
        service.log.clear();
    }
};

} // namespace

TEST(AgentText, TokensAreReplacedOnceEachAndOnlyAsWritten)
{
    const core::LocaleFormats us(QLocale(QLocale::English, QLocale::UnitedStates));
    const QDateTime at(QDate(2026, 3, 2), QTime(15, 5, 0));
    EXPECT_EQ(events::PrepareSpeech("It is *TIME", at, us).text, QStringLiteral("It is 3:05 PM"));
    EXPECT_EQ(events::PrepareSpeech("*TIME, I said *TIME", at, us).text,
              QStringLiteral("3:05 PM, I said *TIME"));
    EXPECT_EQ(events::PrepareSpeech("Today is *DATE", at, us).text,
              QStringLiteral("Today is Monday, March 2, 2026"));
    const auto bye = events::PrepareSpeech("Goodbye*HIDE", at, us);
    EXPECT_EQ(bye.text, QStringLiteral("Goodbye"));
    EXPECT_TRUE(bye.hide);
    const auto lower = events::PrepareSpeech("Goodbye*hide *time", at, us);
    EXPECT_EQ(lower.text, QStringLiteral("Goodbye*hide *time"));
    EXPECT_FALSE(lower.hide);
    const auto twice = events::PrepareSpeech("*HIDE*HIDE", at, us);
    EXPECT_EQ(twice.text, QStringLiteral("*HIDE"));
    EXPECT_EQ(events::AgentTimeText(QTime(0, 7), us), QStringLiteral("12:07 AM"));
    EXPECT_EQ(events::AgentTimeText(QTime(12, 30), us), QStringLiteral("12:30 PM"));
}

TEST(AgentText, ALanguageFileMayRenameTheTokens)
{
    const lang::LanguageTable table = lang::LanguageTable::fromText("*DATE=*DATUM\n*TIME=*ZEIT\n");
    lang::setActiveLanguage(&table);
    const core::LocaleFormats de(QLocale(QLocale::German, QLocale::Germany));
    const QDateTime at(QDate(2026, 3, 2), QTime(15, 5, 0));
    EXPECT_EQ(events::PrepareSpeech("Heute ist *DATUM, nicht *DATE", at, de).text,
              QStringLiteral("Heute ist Montag, 2. März 2026, nicht *DATE"));
    EXPECT_EQ(events::PrepareSpeech("Es ist *ZEIT", at, de).text.left(11), QStringLiteral("Es ist 3:05"));
    lang::setActiveLanguage(nullptr);
}

TEST(AgentText, TheTimeTextHoldsInEveryLocale)
{
    const auto locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                  QLocale::AnyTerritory);
    for (const QLocale& l : locales) {
        const core::LocaleFormats formats(l);
        const QString text = events::AgentTimeText(QTime(15, 5), formats);
        ASSERT_TRUE(text.startsWith(QStringLiteral("3:05 "))) << l.name().toStdString();
        EXPECT_EQ(text.mid(5), l.pmText()) << l.name().toStdString();
        EXPECT_FALSE(events::AgentDateText(QDate(2026, 3, 2), formats).isEmpty()) << l.name().toStdString();
    }
}

TEST_F(AgentSpeechTest, CharacterFoldersAndTheCharacterList)
{
    const QString own = platform.folders.UserDataFolder + "chars/";
    EXPECT_EQ(events::AgentCharsMask(platform.folders), QStringList{platform.folders.CharsFolder + "*.acs"});
    QDir().mkpath(own);
    fixtures::writeCharacterFile(own, "Genie.ACS.acs", fixtures::smallCharacter());
    fixtures::writeCharacterFile(own, "robby.acs", fixtures::smallCharacter());
    fixtures::writeCharacterFile(own, "notes.txt", fixtures::smallCharacter());
    platform.folders.UserDataFolder = platform.folders.ProgramFolder + "home/";
    QDir().mkpath(platform.folders.UserDataFolder + "chars/");
    QDir().rename(own, platform.folders.UserDataFolder + "chars/");
    fixtures::writeCharacterFile(platform.folders.UserDataFolder + "chars/", "merlin.acs",
                                 fixtures::smallCharacter());
    const QStringList masks = events::AgentCharsMask(platform.folders);
    ASSERT_EQ(masks.size(), 2);
    EXPECT_EQ(events::FillCharacterList(masks), (QStringList{"Genie", "Merlin", "Robby"}));
    EXPECT_TRUE(events::FillCharacterList({}).isEmpty());
}

TEST_F(AgentSpeechTest, StartLoadsTheCurrentCharacterWhenTheServiceIsThere)
{
    agent.Start();
    EXPECT_TRUE(agent.AgentAvailable());
    // It stands where the user last put a character, ready to speak there.
    EXPECT_EQ(service.log,
              (QStringList{"Connected 1", "Load merlin merlin.acs", "Left merlin 207", "Top merlin 104"}));
    EXPECT_NE(agent.loadedCharacter(), nullptr);

    // Without a character folder, or without a screen, there is no service: nothing is loaded
    // and nothing is said.
    fakes::FakeCharacterService none;
    none.startable = false;
    AgentSpeech without{none,
                        {character, file, left, top, language},
                        shuttingDown,
                        platform.messages,
                        platform.clock,
                        platform.locale,
                        platform.folders};
    without.Start();
    EXPECT_FALSE(without.AgentAvailable());
    without.Announce("merlin", "Hello", true);
    EXPECT_TRUE(none.log.isEmpty());
    EXPECT_TRUE(platform.messages.errors.isEmpty());
}

TEST_F(AgentSpeechTest, AnAnnouncementPlacesShowsAndSpeaksWithTheTimeThenHidesWhenAsked)
{
    start();
    agent.Announce("merlin", "It is *TIME. Goodbye*HIDE", true);
    EXPECT_EQ(service.log,
              (QStringList{"Left merlin 207", "Top merlin 104", "Show merlin 0",
                           "Speak merlin It is 3:05 PM. Goodbye", "Balloon merlin 0", "Hide merlin 0"}));
    EXPECT_EQ(agent.lastSpeech(), service.requests[1]);
    service.log.clear();
    agent.Announce("merlin", "Goodbye*hide", false); // the dialog's test: where it stands
    EXPECT_EQ(service.log, (QStringList{"Show merlin 0", "Speak merlin Goodbye*hide", "Balloon merlin 0"}));
    service.log.clear();
    agent.Announce("merlin", "*HIDE", false); // nothing left to say, but still hides
    EXPECT_EQ(service.log, (QStringList{"Show merlin 0", "Balloon merlin 0", "Hide merlin 0"}));
    service.log.clear();
    agent.Announce(QString(), "Hello", true);
    EXPECT_TRUE(service.log.isEmpty());
}

TEST_F(AgentSpeechTest, AnAgentEventAndTheEditorsReachTheClocksCharacter)
{
    EXPECT_FALSE(agent.isAvailable()); // not before the clock has looked for the service
    start();
    EXPECT_EQ(agent.FillCharacterList(), QStringList{"Merlin"});
    events::EventActions actions(
        {platform.messages, platform.shell, platform.media, agent, platform.folders});
    events::EventRecord row;
    row.text(events::TypeName) = QStringLiteral("Microsoft Agent");
    row.text(events::FolderText) = QStringLiteral("merlin"); // the character
    row.text(events::FileText) = QStringLiteral("It is *TIME");
    EXPECT_EQ(actions.Perform(events::actionOf(row)), events::ActionOutcome::Done);
    EXPECT_TRUE(service.log.contains(QStringLiteral("Speak merlin It is 3:05 PM")));
}

TEST_F(AgentSpeechTest, AnotherCharacterIsLoadedInPlaceOfTheCurrentOne)
{
    service.autoComplete = true;
    start();
    agent.Announce("robby", "Hi", true);
    ASSERT_GE(service.log.size(), 4);
    EXPECT_EQ(service.log.mid(0, 5), (QStringList{"StopAll merlin", "Hide merlin 0", "Unload merlin",
                                                  "Connected 1", "Load robby robby.acs"}));
    EXPECT_EQ(character, QStringLiteral("robby"));
    EXPECT_EQ(file, QStringLiteral("robby.acs"));
    EXPECT_FALSE(service.isLoaded("merlin"));
    EXPECT_TRUE(service.isLoaded("robby"));
    EXPECT_TRUE(service.log.contains("Speak robby Hi"));
}

// A broken file is found out while the clock runs: the error names the character and its file
// and says how to choose another, and comes only once the clock is on screen.
TEST_F(AgentSpeechTest, ABrokenCharacterIsReportedOnceAfterTheClockShowsAndAnnouncesNothing)
{
    service.brokenFiles = {"merlin.acs", "ghost.acs"};
    service.autoComplete = true;
    agent.Start();
    EXPECT_TRUE(platform.messages.errors.isEmpty());
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    ASSERT_EQ(platform.messages.errors.size(), 1);
    const QString error = platform.messages.errors[0];
    EXPECT_TRUE(error.startsWith("Error loading the speaking character\n\n"));
    EXPECT_TRUE(error.contains("merlin") && error.contains(QDir::toNativeSeparators("chars/merlin.acs")));
    EXPECT_TRUE(error.contains("choose one in an announcement's details and press Test"));
    EXPECT_EQ(agent.loadedCharacter(), nullptr);
    EXPECT_FALSE(service.isLoaded("merlin"));

    agent.Announce("ghost", "Boo", true);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(platform.messages.errors.size(), 2);
    EXPECT_EQ(agent.loadedCharacter(), nullptr);
    EXPECT_EQ(character, QStringLiteral("ghost"));
    service.log.clear();
    agent.Announce("ghost", "Boo", true); // the same name is not tried again
    QCoreApplication::processEvents();
    EXPECT_TRUE(service.log.isEmpty());
    EXPECT_EQ(platform.messages.errors.size(), 2);
}

TEST_F(AgentSpeechTest, WaitingRunsTheEventLoopUntilTheRequestEndsOrTheLimit)
{
    start();
    service.autoComplete = true;
    bool ticked = false;
    QTimer::singleShot(0, [&] { ticked = true; });
    const character::CharacterRequestPtr shown = agent.loadedCharacter()->Show(false);
    EXPECT_EQ(shown->Status(), character::RequestPending);
    EXPECT_TRUE(agent.WaitForAgentRequest(shown));
    EXPECT_EQ(shown->Status(), character::RequestComplete);
    EXPECT_TRUE(ticked); // the clock goes on ticking inside the wait

    service.autoComplete = false;
    agent.waitLimitMs = 60;
    const character::CharacterRequestPtr stuck = agent.loadedCharacter()->Speak("...", QString());
    EXPECT_FALSE(agent.WaitForAgentRequest(stuck));
    EXPECT_EQ(stuck->Status(), character::RequestPending);

    // Shutting down: no messages are processed, so a waiting timer does not fire.
    shuttingDown = true;
    ticked = false;
    QTimer::singleShot(0, [&] { ticked = true; });
    EXPECT_FALSE(agent.WaitForAgentRequest(agent.loadedCharacter()->Hide(false)));
    EXPECT_FALSE(ticked);
    QCoreApplication::processEvents();
}

TEST_F(AgentSpeechTest, ShutdownHidesFastUnloadsAndDisconnects)
{
    start();
    shuttingDown = true;
    const character::CharacterRequestPtr speaking = agent.loadedCharacter()->Speak("Long", QString());
    agent.Shutdown();
    EXPECT_EQ(speaking->Status(), character::RequestInterrupted);
    EXPECT_EQ(service.log, (QStringList{"Speak merlin Long", "StopAll merlin", "Hide merlin 1",
                                        "Unload merlin", "Connected 0"}));
    EXPECT_EQ(agent.loadedCharacter(), nullptr);
    agent.Shutdown(); // nothing loaded: only the service is let go again
    EXPECT_EQ(service.log.last(), QStringLiteral("Connected 0"));
}
