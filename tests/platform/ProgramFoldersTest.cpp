#include "platform/ProgramFolders.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
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

    // Others may write into it, and plant files or links there: the user's files go to their data
    // folder, and the clock says why.
    ASSERT_EQ(::chmod(QFile::encodeName(build.path()).constData(), 0777), 0);
    const auto shared = ProgramFolders::locate(build.filePath("veskel"), home.path(),
                                               &ProgramFolders::canWriteIn);
    EXPECT_EQ(shared.UserDataFolder, home.path() + "/Veskel/");
    EXPECT_TRUE(shared.DataFolderNote.contains("others may write into it"))
        << shared.DataFolderNote.toStdString();
}

// An installed program keeps each user's files in their own data folder, seeded once from the
// shipped copies, even where the shared folder can be written (by root): a later start keeps what
// the user changed, and the shared folder stays as shipped.
TEST(ProgramFolders, AnInstalledProgramKeepsEachUsersFilesInTheirDataFolder)
{
    QTemporaryDir prefix, alice, bob;
    const QString share = prefix.filePath("share/veskel/");
    ASSERT_TRUE(writeAllOf(share + "Clocks/fish.bmp", "BM"));
    ASSERT_TRUE(writeAllOf(share + "Events.dta", "shipped events"));
    ASSERT_TRUE(writeAllOf(share + "veskel.vsk", ""));
    ASSERT_TRUE(writeAllOf(prefix.filePath("bin/veskel"), "ELF"));
    const auto canWrite = &ProgramFolders::canWriteIn;

    const auto a = ProgramFolders::locate(prefix.filePath("bin/veskel"), alice.path(), canWrite);
    EXPECT_EQ(a.ProgramFolder, share);
    EXPECT_EQ(a.LangFolder, share + "Lang/");
    EXPECT_EQ(a.PluginFolder, prefix.filePath("lib/veskel/"));
    EXPECT_EQ(a.UserDataFolder, alice.path() + "/Veskel/");
    EXPECT_EQ(a.ProgramFile, prefix.filePath("bin/veskel"));

    // Seeded on first use: the events and the first-run marker.
    const QString events = a.dataFile("Events.dta");
    EXPECT_EQ(events, alice.path() + "/Veskel/Events.dta");
    EXPECT_EQ(readAllOf(events), "shipped events");
    EXPECT_EQ(QFileInfo(a.UserDataFolder).permissions() & 0x0077, 0); // the user's alone
    const QString marker = a.firstRunMarker();
    EXPECT_TRUE(QFile::exists(marker));
    ASSERT_TRUE(QFile::remove(marker)); // the first run is over
    ASSERT_TRUE(writeAllOf(events, "alice's events"));

    // The next start: nothing seeded again, nothing lost.
    const auto again = ProgramFolders::locate(prefix.filePath("bin/veskel"), alice.path(), canWrite);
    EXPECT_EQ(readAllOf(again.dataFile("Events.dta")), "alice's events");
    EXPECT_FALSE(QFile::exists(again.firstRunMarker()));
    EXPECT_EQ(readAllOf(share + "Events.dta"), "shipped events");
    EXPECT_TRUE(QFile::exists(share + "veskel.vsk"));

    // Another user starts fresh.
    const auto b = ProgramFolders::locate(prefix.filePath("bin/veskel"), bob.path(), canWrite);
    EXPECT_EQ(readAllOf(b.dataFile("Events.dta")), "shipped events");
    EXPECT_TRUE(QFile::exists(b.firstRunMarker()));
}

// Another user's build folder, and another user's link in the place of the user's data folder:
// neither is used, and with both no folder is left for the user's files.
TEST(ProgramFolders, AnotherUsersFolderOrLinkIsNotUsedForTheUsersFiles)
{
    QTemporaryDir build, home;
    QDir().mkpath(build.filePath("Clocks"));
    if (::geteuid() != 0)
        GTEST_SKIP() << "folders and links of another user take root to make";
    const passwd* other = ::getpwnam("nobody");
    ASSERT_NE(other, nullptr);
    ASSERT_EQ(::chown(QFile::encodeName(build.path()).constData(), other->pw_uid, other->pw_gid), 0);
    ASSERT_TRUE(QFile::link(build.path(), home.filePath("Veskel")));
    ASSERT_EQ(::lchown(QFile::encodeName(home.filePath("Veskel")).constData(), other->pw_uid, other->pw_gid),
              0);
    const auto theirs = ProgramFolders::locate(build.filePath("veskel"), home.path(),
                                               &ProgramFolders::canWriteIn);
    EXPECT_TRUE(theirs.UserDataFolder.isEmpty());
    EXPECT_TRUE(theirs.dataFile("Events.dta").isEmpty());
    EXPECT_TRUE(theirs.DataFolderNote.contains("belongs to another user") &&
                theirs.DataFolderNote.contains("a symbolic link of another user"))
        << theirs.DataFolderNote.toStdString();
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
