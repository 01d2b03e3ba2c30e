#include "platform/WholeFile.h"
#include "platform/IniSettingsStore.h"
#include "support/TinyDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

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
    EXPECT_EQ(disk.entries(), (QStringList{"Events.dta", "filler"})); // nothing half-written left
}

TEST(WholeFile, TheSettingsStoreSaysWhyItCouldNotSaveOnAFullDiskAndKeepsTheOldFile)
{
    fakes::TinyDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    const QString path = disk.filePath("Veskel.conf");
    {
        platform::IniSettingsStore store(path);
        store.write("Clock", "Width", "150");
        ASSERT_TRUE(store.sync());
    }
    const QByteArray old = readAllOf(path);
    disk.fill();

    platform::IniSettingsStore store(path);
    store.write("Clock", "Height", "150"); // a few bytes: buffered writers fail only at the end
    const platform::SaveResult result = store.sync();
    EXPECT_FALSE(result);
    EXPECT_TRUE(result.error.startsWith(path)) << result.error.toStdString();
    EXPECT_EQ(readAllOf(path), old);
}
