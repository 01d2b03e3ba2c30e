#include "platform/WholeFile.h"
#include "platform/IniSettingsStore.h"
#include "support/Files.h"
#include "support/TinyDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using fakes::readAllOf;
using platform::saveWholeFile;

TEST(WholeFile, ReplacesTheFileKeepingItsPermissionsAndTheLinkThatLeadsToIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Events.dta");
    ASSERT_TRUE(saveWholeFile(path, "first"));
    EXPECT_EQ(readAllOf(path), "first");

    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(saveWholeFile(path, "second, longer"));
    EXPECT_EQ(readAllOf(path), "second, longer");
    struct stat st = {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // A settings file kept elsewhere and linked in stays a link.
    const QString link = dir.filePath("linked.conf");
    ASSERT_TRUE(QFile::link(path, link));
    ASSERT_TRUE(saveWholeFile(link, "through the link"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readAllOf(path), "through the link");

    ASSERT_TRUE(saveWholeFile(path, QByteArray()));
    EXPECT_EQ(QFileInfo(path).size(), 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"Events.dta", "linked.conf"}));

    const platform::SaveResult failed = saveWholeFile(dir.filePath("missing/Events.dta"), "x");
    EXPECT_FALSE(failed);
    EXPECT_FALSE(failed.error.isEmpty());

    // Someone else's link, to the user's file or to nowhere, is neither read nor written through:
    // the clock can neither be fed a file nor made to publish one.
    const passwd* other = ::getpwnam("nobody");
    if (::geteuid() != 0 || !other)
        GTEST_SKIP() << "making a link of another user takes root";
    const QString dangling = dir.filePath("dangling");
    ASSERT_TRUE(QFile::link(dir.filePath("published"), dangling));
    for (const QString& planted : {link, dangling})
        ASSERT_EQ(::lchown(QFile::encodeName(planted).constData(), other->pw_uid, other->pw_gid), 0);
    EXPECT_EQ(platform::readWholeFile(link, 100).status, platform::ReadResult::Unreadable);
    EXPECT_FALSE(saveWholeFile(link, "written over"));
    EXPECT_FALSE(saveWholeFile(dangling, "published"));
    EXPECT_EQ(QFileInfo(path).size(), 0);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("published")));
}

TEST(WholeFile, AFullDiskFailsTheSaveAndLeavesTheOldFileWhole)
{
    fakes::TinyDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    const QString path = disk.filePath("Events.dta");
    const QByteArray old = "the events of yesterday";
    ASSERT_TRUE(saveWholeFile(path, old));
    disk.fill();

    const platform::SaveResult result = saveWholeFile(path, QByteArray(16 * 1024, 'n'));
    EXPECT_FALSE(result);
    EXPECT_TRUE(result.error.contains("space", Qt::CaseInsensitive)) << result.error.toStdString();
    EXPECT_EQ(readAllOf(path), old);
    // The settings too, though a few bytes: buffered writers fail only at the end.
    platform::IniSettingsStore store(disk.filePath("Veskel.conf"));
    store.write("Clock", "Height", "150");
    EXPECT_EQ(store.sync().file, disk.filePath("Veskel.conf"));
    EXPECT_EQ(disk.entries(), (QStringList{"Events.dta", "filler"})); // nothing half-written left
}

TEST(WholeFile, OnlyRegularFilesAreReadAndNoneLargerThanAsked)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Events.dta");
    EXPECT_EQ(platform::readWholeFile(path, 100).status, platform::ReadResult::Missing);
    ASSERT_TRUE(saveWholeFile(path, "0123456789"));
    const platform::ReadResult read = platform::readWholeFile(path, 10);
    EXPECT_TRUE(read.wasRead());
    EXPECT_EQ(read.bytes, "0123456789");
    EXPECT_EQ(platform::readWholeFile(path, 9).status, platform::ReadResult::TooLarge);
    EXPECT_EQ(platform::readWholeFile(dir.path(), 100).status, platform::ReadResult::NotRegular);

    // A named pipe with no writer would block a plain open for ever.
    const QString pipe = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const platform::ReadResult fromPipe = platform::readWholeFile(pipe, 100);
    EXPECT_EQ(fromPipe.status, platform::ReadResult::NotRegular);
    EXPECT_TRUE(fromPipe.exists());
    EXPECT_TRUE(fromPipe.bytes.isEmpty());
}

TEST(WholeFile, ASettingsFileThatWasNotReadIsNeverWrittenOver)
{
    QTemporaryDir dir;
    const QString huge = dir.filePath("huge.conf");
    const QByteArray hugeBytes = "[Clock]\nWidth=300\n" + QByteArray(core::IniFile::MaxFileSize, ';');
    ASSERT_TRUE(saveWholeFile(huge, hugeBytes));
    {
        platform::IniSettingsStore store(huge);
        EXPECT_FALSE(store.read("Clock", "Width").has_value());
        EXPECT_FALSE(store.notReadBecause().isEmpty());
        store.write("Clock", "Width", "150");
        const platform::SaveResult result = store.sync();
        EXPECT_FALSE(result);
        EXPECT_TRUE(result.error.contains("was not read")) << result.error.toStdString();
    }
    EXPECT_EQ(readAllOf(huge), hugeBytes);

    // A file that is not there yet is made.
    platform::IniSettingsStore fresh(dir.filePath("new/Veskel.conf"));
    EXPECT_TRUE(fresh.notReadBecause().isEmpty());
    fresh.write("Clock", "Width", "150");
    EXPECT_TRUE(fresh.sync());
}
