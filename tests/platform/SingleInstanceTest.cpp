#include "platform/SingleInstance.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(SingleInstance, OnlyOneHolderAtATimeAndTheLockDiesWithItsHolder)
{
    QTemporaryDir dir;
    {
        platform::SingleInstance first("Veskel_v2.1", dir.path());
        ASSERT_TRUE(first.acquire());
        platform::SingleInstance second("Veskel_v2.1", dir.path());
        EXPECT_FALSE(second.acquire());
        platform::SingleInstance other("Other", dir.path());
        EXPECT_TRUE(other.acquire());
    }
    platform::SingleInstance later("Veskel_v2.1", dir.path());
    EXPECT_TRUE(later.acquire());
}

TEST(SingleInstance, AFolderThatCannotHoldTheLockPassesItToTheNextNeverToTwoClocks)
{
    QTemporaryDir dir;
    // A folder no one can make, not even root: it lies inside a plain file.
    ASSERT_TRUE(fakes::writeAllOf(dir.filePath("plain")));
    const QStringList folders{dir.filePath("plain/runtime"), dir.filePath("cache")};

    platform::SingleInstance first("Veskel_v2.1", folders);
    ASSERT_TRUE(first.acquire());
    EXPECT_EQ(first.lockFolder(), dir.filePath("cache"));
    platform::SingleInstance second("Veskel_v2.1", folders);
    EXPECT_FALSE(second.acquire());

    // A lock file already there in a folder that became read-only still locks: opened to read.
    QTemporaryDir other;
    ASSERT_TRUE(fakes::writeAllOf(other.filePath("Solo.lock")));
    ASSERT_TRUE(QFile::setPermissions(other.filePath("Solo.lock"), QFile::ReadOwner));
    platform::SingleInstance solo("Solo", other.path());
    EXPECT_TRUE(solo.acquire());
    platform::SingleInstance again("Solo", other.path());
    EXPECT_FALSE(again.acquire());
}

// Started without a runtime folder (cron, ssh), the clock went down its list to /tmp, where another
// user may have planted the folder: a link, another user's folder, or one others may enter is
// passed over, and the clock says why.
TEST(SingleInstance, AFolderPlantedBySomeoneElseIsPassedOver)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.filePath("theirs")) && QDir().mkpath(dir.filePath("open")));
    ASSERT_TRUE(QFile::link(dir.filePath("theirs"), dir.filePath("link")));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath("open")).constData(), 0755), 0);
    QStringList planted{dir.filePath("link"), dir.filePath("open")};
    if (const passwd* other = ::getpwnam("nobody"); ::geteuid() == 0 && other) {
        ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath("theirs")).constData(), 0700), 0);
        ASSERT_EQ(
            ::chown(QFile::encodeName(dir.filePath("theirs")).constData(), other->pw_uid, other->pw_gid), 0);
        planted << dir.filePath("theirs");
    }

    platform::SingleInstance instance("Veskel_v2.1", planted + QStringList{dir.filePath("mine")});
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(instance.acquire());
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(instance.lockFolder(), dir.filePath("mine"));
    for (const char* why : {"symbolic link", "others may enter it", planted.size() > 2 ? "another user" : ""})
        EXPECT_NE(said.find(why), std::string::npos) << said;

    // Nowhere safe to lock at all: the clock still starts, and says so.
    platform::SingleInstance unlocked("Other", planted);
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(unlocked.acquire());
    EXPECT_TRUE(unlocked.lockFolder().isEmpty());
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("no folder could hold"), std::string::npos);
}
