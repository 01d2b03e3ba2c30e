#include "platform/SingleInstance.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

    // Nowhere to lock at all: the clock still starts, and says so.
    platform::SingleInstance nowhere("Veskel_v2.1", QStringList{dir.filePath("plain/a")});
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(nowhere.acquire());
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("no folder could hold"), std::string::npos);
}
