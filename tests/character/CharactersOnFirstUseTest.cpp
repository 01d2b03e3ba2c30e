#include "character/CharactersOnFirstUse.h"

#include "support/FakeCharacterService.h"
#include "support/Files.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace character;

namespace {

// The service over a folder holding merlin's file, with a fake for the real one, counted.
struct OnFirstUse
{
    QTemporaryDir folder;
    int loads = 0;
    bool loadable = true;
    fakes::FakeCharacterService* real = nullptr;
    QStringList failures;
    CharactersOnFirstUse characters{
        {folder.path()},
        {[] { return true; },
         [this](const QStringList& folders, QString* why) -> std::unique_ptr<CharacterService> {
             ++loads;
             EXPECT_EQ(folders, QStringList{folder.path()});
             if (!loadable) {
                 *why = "no plugin";
                 return nullptr;
             }
             auto service = std::make_unique<fakes::FakeCharacterService>();
             real = service.get();
             return service;
         },
         [this](const QString& why) { failures << why; }}};

    OnFirstUse() { fakes::writeAllOf(folder.filePath("Merlin.acs"), "the real service reads it"); }
};

} // namespace

TEST(CharactersOnFirstUse, ACharacterIsFoundAtStartAndLoadedWhenFirstShownOrHeard)
{
    OnFirstUse s;
    // At start: a character is there, and the current one is loaded, all without the service.
    EXPECT_TRUE(s.characters.canStart());
    s.characters.setConnected(true);
    s.characters.Load("merlin", "merlin.acs"); // in any letter case, as the service finds it
    EXPECT_THROW(s.characters.Load("merlin", "merlin.acs"), CharacterLoadError);
    EXPECT_THROW(s.characters.Load("nobody", "nobody.acs"), CharacterLoadError);
    AgentCharacter& merlin = s.characters.Character("merlin");
    merlin.setLeft(40);
    merlin.setTop(50);
    merlin.setBalloonVisible(false);
    EXPECT_EQ(merlin.Hide(true)->Status(), RequestComplete); // never shown, nothing to hide
    EXPECT_EQ(s.loads, 0);

    // Shown: the real one comes where the stand-in was put, and is handed everything after.
    merlin.Show(false);
    ASSERT_EQ(s.loads, 1);
    merlin.Speak("Hello", {});
    merlin.setTop(60);
    EXPECT_EQ(s.real->log,
              (QStringList{"Connected 1", "Load merlin merlin.acs", "Left merlin 40", "Top merlin 50",
                           "Balloon merlin 0", "Show merlin 0", "Speak merlin Hello", "Top merlin 60"}));
    QSignalSpy moved(&s.characters, &CharacterService::Move);
    s.real->drag("merlin", 7, 8);
    EXPECT_EQ(moved.size(), 1);
    s.characters.Unload("merlin");
    EXPECT_EQ(s.real->log.last(), "Unload merlin");
    EXPECT_TRUE(s.failures.isEmpty());
}

TEST(CharactersOnFirstUse, AServiceOrCharacterThatCannotBeLoadedIsToldOnceAndDoesNothing)
{
    OnFirstUse broken;
    broken.loadable = false;
    broken.characters.Load("merlin", "merlin.acs");
    AgentCharacter& merlin = broken.characters.Character("merlin");
    EXPECT_EQ(merlin.Show(false)->Status(), RequestFailed);
    EXPECT_EQ(merlin.Speak("Hello", {})->Status(), RequestFailed); // and not tried again
    EXPECT_EQ(broken.loads, 1);
    EXPECT_EQ(broken.failures, QStringList{"no plugin"});

    OnFirstUse s;
    s.characters.Load("merlin", "merlin.acs");
    s.characters.service();
    s.real->missingFiles.insert("merlin.acs");
    s.characters.Character("merlin").Show(false);
    EXPECT_EQ(s.characters.Character("merlin").Speak("Hello", {})->Status(), RequestFailed);
    EXPECT_EQ(s.failures, QStringList{"cannot load"});
    s.characters.Unload("merlin");
    EXPECT_FALSE(s.real->log.contains("Unload merlin"));

    // A file the real service finds broken only once it reads it: its word passes on.
    QSignalSpy failed(&s.characters, &CharacterService::LoadFailed);
    s.real->brokenFiles.insert("robby.acs");
    fakes::writeAllOf(s.folder.filePath("robby.acs"), "broken");
    s.characters.Load("robby", "robby.acs");
    s.characters.Character("robby").Show(false);
    ASSERT_TRUE(failed.wait(5000));
    EXPECT_EQ(failed[0][0], QStringLiteral("robby"));
}
