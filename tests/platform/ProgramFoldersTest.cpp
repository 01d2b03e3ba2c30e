#include "platform/ProgramFolders.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using platform::ProgramFolders;

using fakes::readAllOf;
using fakes::writeAllOf;

TEST(ProgramFolders, ABuildFolderKeepsEverythingBesideTheProgram)
{
    QTemporaryDir build, home;
    QDir().mkpath(build.filePath("Clocks"));
    const auto f = ProgramFolders::locate(build.filePath("veskel"), home.path(), &ProgramFolders::canWriteIn);
    EXPECT_EQ(f.ProgramFolder, build.path() + "/");
    EXPECT_EQ(f.ClocksFolder, build.path() + "/Clocks/");
    EXPECT_EQ(f.CharsFolder, build.path() + "/chars/");
    EXPECT_EQ(f.PluginFolder, build.path() + "/");
    EXPECT_EQ(f.dataFile("Events.dta"), build.path() + "/Events.dta");
    EXPECT_EQ(f.firstRunMarker(), build.path() + "/veskel.vsk");
    EXPECT_FALSE(QFileInfo::exists(home.filePath("Veskel")));
}

// An installed program in a folder nobody may write: each user's files go to their own data
// folder, seeded once from the shipped copies, and a later start keeps what the user changed.
TEST(ProgramFolders, AReadOnlyInstallationKeepsEachUsersFilesInTheirDataFolder)
{
    QTemporaryDir prefix, alice, bob;
    const QString share = prefix.filePath("share/veskel/");
    ASSERT_TRUE(writeAllOf(share + "Clocks/fish.bmp", "BM"));
    ASSERT_TRUE(writeAllOf(share + "Events.dta", "shipped events"));
    ASSERT_TRUE(writeAllOf(share + "veskel.vsk", ""));
    ASSERT_TRUE(writeAllOf(prefix.filePath("bin/veskel"), "ELF"));
    const auto readOnlyShare = [&](const QString& folder) {
        return !folder.startsWith(prefix.path()) && ProgramFolders::canWriteIn(folder);
    };

    const auto a = ProgramFolders::locate(prefix.filePath("bin/veskel"), alice.path(), readOnlyShare);
    EXPECT_EQ(a.ProgramFolder, share);
    EXPECT_EQ(a.LangFolder, share + "Lang/");
    EXPECT_EQ(a.PluginFolder, prefix.filePath("lib/veskel/"));
    EXPECT_EQ(a.UserDataFolder, alice.path() + "/Veskel/");
    EXPECT_EQ(a.ProgramFile, prefix.filePath("bin/veskel"));

    // Seeded on first use: the events and the first-run marker.
    const QString events = a.dataFile("Events.dta");
    EXPECT_EQ(events, alice.path() + "/Veskel/Events.dta");
    EXPECT_EQ(readAllOf(events), "shipped events");
    const QString marker = a.firstRunMarker();
    EXPECT_TRUE(QFile::exists(marker));
    ASSERT_TRUE(QFile::remove(marker)); // the first run is over
    ASSERT_TRUE(writeAllOf(events, "alice's events"));

    // The next start: nothing seeded again, nothing lost.
    const auto again = ProgramFolders::locate(prefix.filePath("bin/veskel"), alice.path(), readOnlyShare);
    EXPECT_EQ(readAllOf(again.dataFile("Events.dta")), "alice's events");
    EXPECT_FALSE(QFile::exists(again.firstRunMarker()));
    EXPECT_EQ(readAllOf(share + "Events.dta"), "shipped events");

    // Another user starts fresh.
    const auto b = ProgramFolders::locate(prefix.filePath("bin/veskel"), bob.path(), readOnlyShare);
    EXPECT_EQ(readAllOf(b.dataFile("Events.dta")), "shipped events");
    EXPECT_TRUE(QFile::exists(b.firstRunMarker()));
}

TEST(ProgramFolders, ARealReadOnlyFolderIsSeenAsOne)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders; the choice itself is covered above";
    QTemporaryDir dir;
    ASSERT_TRUE(ProgramFolders::canWriteIn(dir.path()));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(ProgramFolders::canWriteIn(dir.path()));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(ProgramFolders::canWriteIn(dir.filePath("missing")));
}
