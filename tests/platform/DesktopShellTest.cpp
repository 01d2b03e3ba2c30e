#include "platform/Shell.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::DesktopShell;

namespace {

bool waitForFile(const QString& path)
{
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(path) && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return QFile::exists(path);
}

} // namespace

TEST(DesktopShell, StartsAProgramOfALongOddNameInItsFolderWithoutAShell)
{
    QTemporaryDir dir;
    // Over 80 characters, with blanks and what a shell would take for commands.
    const QString name = QStringLiteral("a program with a long name; touch injected $(touch injected) ") +
                         QString(40, 'x') + QStringLiteral(".sh");
    ASSERT_GT(name.size(), 80);
    QFile program(dir.filePath(name));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\npwd > started.txt\n");
    program.close();
    ASSERT_TRUE(program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    DesktopShell shell;
    ASSERT_TRUE(shell.runFile(name, dir.path() + "/", platform::Shell::ShowMinimized));
    ASSERT_TRUE(waitForFile(dir.filePath("started.txt")));
    QFile started(dir.filePath("started.txt"));
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    EXPECT_EQ(QDir(QString::fromLocal8Bit(started.readAll().trimmed())), QDir(dir.path()));
    EXPECT_FALSE(QFile::exists(dir.filePath("injected")));
}

TEST(DesktopShell, FindsFilesInTheFolderThenBareProgramNamesAlongThePath)
{
    QTemporaryDir dir;
    QFile document(dir.filePath("notes.txt"));
    ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    document.close();
    const QString folder = dir.path() + "/";
    EXPECT_EQ(DesktopShell::locate("notes.txt", folder), dir.filePath("notes.txt"));
    EXPECT_EQ(DesktopShell::locate(dir.filePath("notes.txt"), "/elsewhere/"), dir.filePath("notes.txt"));
    EXPECT_FALSE(DesktopShell::locate("sh", folder).isEmpty()); // along the PATH
    EXPECT_TRUE(DesktopShell::locate("sub/sh", folder).isEmpty());
    EXPECT_TRUE(DesktopShell::locate("no-such-program-here.exe", folder).isEmpty());
    EXPECT_TRUE(DesktopShell::locate("", folder).isEmpty());

    DesktopShell shell;
    EXPECT_FALSE(shell.runFile("no-such-program-here.exe", folder, platform::Shell::ShowNormal));
}
