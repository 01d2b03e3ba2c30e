#include "platform/Autostart.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Autostart, EntryIsWrittenReadBackAndRemoved)
{
    QTemporaryDir dir;
    const QString entry = dir.filePath("autostart/Veskel.desktop");
    platform::XdgAutostart autostart(entry, "/opt/my clocks/veskel");
    EXPECT_FALSE(autostart.isRunAtStartup());

    ASSERT_TRUE(autostart.setRunAtStartup(true));
    EXPECT_TRUE(autostart.isRunAtStartup());
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.contains("Exec=\"/opt/my clocks/veskel\"\n")) << content.constData();
    EXPECT_TRUE(content.startsWith("[Desktop Entry]\n"));
    file.close();

    ASSERT_TRUE(autostart.setRunAtStartup(false));
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_FALSE(autostart.isRunAtStartup());
    EXPECT_TRUE(autostart.setRunAtStartup(false)); // nothing to remove is fine
}
