#include "platform/MediaOnFirstUse.h"
#include "support/Files.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using platform::MediaOnFirstUse;

TEST(MediaOnFirstUse, WithoutThePluginEveryFileIsToldWhyAndWithItQtMultimediaPlays)
{
    QTemporaryDir dir;
    const QString notes = dir.filePath("notes.wav");
    ASSERT_TRUE(fakes::writeAllOf(notes, "These are not sounds.\n"));
    const auto unavailable = [](const QString& why) { return "unavailable: " + why; };
    QStringList failures;
    const auto told = [&failures](const QString& why) { failures << why; };

    MediaOnFirstUse missing(dir.filePath("veskel-media.so"), unavailable);
    missing.play(notes, told);
    missing.play(notes, told);
    missing.close();
    EXPECT_FALSE(missing.isLoaded());
    EXPECT_EQ(failures, QStringList(2, "unavailable: " + dir.filePath("veskel-media.so") + " is missing"));

    failures.clear();
    MediaOnFirstUse media(VESKEL_MEDIA_PLUGIN, unavailable);
    EXPECT_FALSE(media.isLoaded()); // nothing before the first file
    media.play(notes, told);
    EXPECT_TRUE(media.isLoaded());
    // The plugin's player (Qt Multimedia's) finds out for itself that this is no sound.
    ASSERT_TRUE(QTest::qWaitFor([&failures] { return !failures.isEmpty(); }, 15000));
    EXPECT_FALSE(failures.first().startsWith("unavailable"));
    media.close();
}
