#include "platform/Shell.h"
#include "support/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using platform::DesktopShell;

namespace {

// Waits for the file to be written, not merely made: the shell makes it before `pwd` writes.
bool waitForFile(const QString& path)
{
    return QTest::qWaitFor([&] { return QFileInfo(path).size() > 0; }, 10000);
}

} // namespace

TEST(DesktopShell, StartsAProgramOfALongOddNameInItsFolderWithoutAShell)
{
    QTemporaryDir dir;
    // Over 80 characters, with blanks and what a shell would take for commands.
    const QString name = QStringLiteral("a program with a long name; touch injected $(touch injected) ") +
                         QString(40, 'x') + QStringLiteral(".sh");
    ASSERT_GT(name.size(), 80);
    ASSERT_TRUE(fakes::writeAllOf(dir.filePath(name), "#!/bin/sh\npwd > started.txt\n"));
    ASSERT_TRUE(
        QFile::setPermissions(dir.filePath(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    DesktopShell shell;
    ASSERT_TRUE(shell.runFile(name, dir.path() + "/", platform::Shell::ShowMinimized));
    ASSERT_TRUE(waitForFile(dir.filePath("started.txt")));
    EXPECT_EQ(QDir(QString::fromLocal8Bit(fakes::readAllOf(dir.filePath("started.txt")).trimmed())),
              QDir(dir.path()));
    EXPECT_FALSE(QFile::exists(dir.filePath("injected")));
}

TEST(DesktopShell, FindsFilesInTheFolderThenBareProgramNamesAlongThePathAndShowsTheirPictures)
{
    QTemporaryDir dir;
    ASSERT_TRUE(fakes::writeAllOf(dir.filePath("notes.txt")));
    const QString folder = dir.path() + "/";
    EXPECT_EQ(DesktopShell::locate("notes.txt", folder), dir.filePath("notes.txt"));
    EXPECT_EQ(DesktopShell::locate(dir.filePath("notes.txt"), "/elsewhere/"), dir.filePath("notes.txt"));
    EXPECT_FALSE(DesktopShell::locate("sh", folder).isEmpty()); // along the PATH
    EXPECT_TRUE(DesktopShell::locate("sub/sh", folder).isEmpty());
    EXPECT_TRUE(DesktopShell::locate("no-such-program-here.exe", folder).isEmpty());
    EXPECT_TRUE(DesktopShell::locate("", folder).isEmpty());

    DesktopShell shell;
    EXPECT_FALSE(shell.runFile("no-such-program-here.exe", folder, platform::Shell::ShowNormal));

    // A launcher's own picture, a file's kind, and nothing for what is gone.
    QImage red(24, 24, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(dir.filePath("red.png")));
    const QString launcher = dir.filePath("backup.desktop");
    ASSERT_TRUE(fakes::writeAllOf(
        launcher, "[Desktop Action Other]\nIcon=nothing\n[Desktop Entry]\nType=Application\nIcon=" +
                      dir.filePath("red.png").toUtf8() + "\nExec=true\n"));
    const QIcon own = shell.associatedIcon(launcher);
    ASSERT_FALSE(own.isNull());
    EXPECT_EQ(own.pixmap(24, 24).toImage().pixelColor(12, 12), QColor(Qt::red));
    EXPECT_FALSE(shell.associatedIcon(dir.filePath("notes.txt")).isNull());
    EXPECT_TRUE(shell.associatedIcon(dir.filePath("gone.txt")).isNull());
}
