#include "platform/Shell.h"
#include "platform/CommonDialogs.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(DesktopShell, ShowsALaunchersOwnPictureAFilesKindAndNothingForWhatIsGone)
{
    QTemporaryDir dir;
    platform::DesktopShell shell;
    QImage red(24, 24, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(dir.filePath("red.png")));
    QFile launcher(dir.filePath("backup.desktop"));
    ASSERT_TRUE(launcher.open(QIODevice::WriteOnly));
    launcher.write("[Desktop Action Other]\nIcon=nothing\n[Desktop Entry]\nType=Application\nIcon=" +
                   dir.filePath("red.png").toUtf8() + "\nExec=true\n");
    launcher.close();
    const QIcon own = shell.associatedIcon(launcher.fileName());
    ASSERT_FALSE(own.isNull());
    EXPECT_EQ(own.pixmap(24, 24).toImage().pixelColor(12, 12), QColor(Qt::red));

    QFile notes(dir.filePath("notes.txt"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.close();
    EXPECT_FALSE(shell.associatedIcon(notes.fileName()).isNull());
    EXPECT_TRUE(shell.associatedIcon(dir.filePath("gone.txt")).isNull());
}

TEST(FileDialogFilters, TurnTheLanguageFilesPairsIntoTheDialogsEntries)
{
    EXPECT_EQ(platform::fileDialogFilters(
                  "Wave files (*.wav)|*.wav|Media (*.wav;*.mid)|*.wav; *.mid|All Files (*.*)|*.*"),
              (QStringList{"Wave files (*.wav *.WAV)", "Media (*.wav *.WAV *.mid *.MID)", "All Files (*)"}));
    // A description without its patterns, and empty pairs, are left out.
    EXPECT_EQ(platform::fileDialogFilters("Programs|*.exe|Odd one"), QStringList{"Programs (*.exe *.EXE)"});
    EXPECT_TRUE(platform::fileDialogFilters("").isEmpty());
}
