#include "platform/Shell.h"
#include "support/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
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
    bool failed = false;
    shell.runFile(name, dir.path() + "/", platform::Shell::ShowMinimized,
                  [&failed](const platform::RunFailure&) { failed = true; });
    ASSERT_FALSE(failed);
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

// What cannot be run is said: a name that is not there, a script without the right to run, and
// a document the desktop's own opener (xdg-open, on a plain desktop without a browser) gives up on.
TEST(DesktopShell, WhatCannotBeRunOrOpenedIsSaidWithTheOpenersWords)
{
    const QString xdgOpen = QStandardPaths::findExecutable("xdg-open");
    if (xdgOpen.isEmpty())
        GTEST_SKIP() << "xdg-open is not installed";
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    ASSERT_TRUE(fakes::writeAllOf(dir.filePath("backup.sh"), "#!/bin/sh\ntrue\n"));
    ASSERT_TRUE(fakes::writeAllOf(dir.filePath("data.veskel-unknown"), QByteArray("\x01\x02\x03", 3)));
    // A plain desktop of no known kind, no display and no browser: nothing there can open it.
    const QByteArray names[] = {"XDG_CURRENT_DESKTOP", "DISPLAY", "WAYLAND_DISPLAY", "BROWSER"};
    std::vector<std::pair<QByteArray, QByteArray>> saved;
    for (const QByteArray& name : names)
        saved.emplace_back(name, qgetenv(name.constData()));
    qputenv("XDG_CURRENT_DESKTOP", "X-Generic");
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("BROWSER", "veskel-test-no-browser");

    DesktopShell shell;
    std::vector<platform::RunFailure> said;
    const auto note = [&said](const platform::RunFailure& why) { said.push_back(why); };
    shell.runFile("no-such-program-here.exe", folder, platform::Shell::ShowNormal, note);
    shell.runFile("backup.sh", folder, platform::Shell::ShowNormal, note);
    ASSERT_EQ(said.size(), 2u); // both at once
    EXPECT_EQ(said[0].kind, platform::RunFailure::NotFound);
    EXPECT_EQ(said[1].kind, platform::RunFailure::NotExecutable);
    shell.runFile("data.veskel-unknown", folder, platform::Shell::ShowNormal, note);
    EXPECT_EQ(said.size(), 2u); // the opener has only started
    EXPECT_TRUE(QTest::qWaitFor([&said] { return said.size() == 3; }, 10000));
    for (const auto& [name, value] : saved)
        value.isNull() ? qunsetenv(name.constData()) : qputenv(name.constData(), value);
    ASSERT_EQ(said.size(), 3u);
    EXPECT_EQ(said[2].kind, platform::RunFailure::Failed);
    EXPECT_NE(said[2].detail.indexOf("no method available"), -1) << said[2].detail.toStdString();
}
