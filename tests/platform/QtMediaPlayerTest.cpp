#include "platform/QtMediaPlayer.h"
#include "support/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QVideoWidget>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>

using platform::QtMediaPlayer;

namespace {

void putLE(QByteArray& out, quint32 v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

// A tenth of a second of a quiet tone, as 8 kHz mono 16-bit PCM.
QByteArray shortWave()
{
    QByteArray samples;
    for (int i = 0; i < 800; ++i)
        putLE(samples, quint16(qint16(2000 * std::sin(i * 0.3))), 2);
    QByteArray out("RIFF");
    putLE(out, quint32(36 + samples.size()), 4);
    out += "WAVEfmt ";
    putLE(out, 16, 4);
    putLE(out, 1, 2);
    putLE(out, 1, 2);
    putLE(out, 8000, 4);
    putLE(out, 16000, 4);
    putLE(out, 2, 2);
    putLE(out, 16, 2);
    out += "data";
    putLE(out, quint32(samples.size()), 4);
    return out + samples;
}

// One short note: a standard MIDI file of one track.
QByteArray shortMidi()
{
    const QByteArray track("\x00\x90\x48\x60\x30\x80\x48\x40\x00\xFF\x2F\x00", 12);
    QByteArray out("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xE0MTrk", 18);
    out += QByteArray("\x00\x00\x00", 3) + char(track.size());
    return out + track;
}

// What the player told: the file played to its end, or why it could not.
struct Outcome
{
    bool finished = false;
    QString failure;
    bool told() const { return finished || !failure.isEmpty(); }
};

// Plays a file and waits for its end (these files last a few seconds at most), or, for a video,
// until its window shows and `whilePlaying` has run.
Outcome playToEnd(QtMediaPlayer& player, const QString& path, const std::function<void()>& whilePlaying = {})
{
    Outcome outcome;
    const auto connection = QObject::connect(
        &player, &QtMediaPlayer::finished,
        [&outcome, path](const QString& done) { outcome.finished = done == path; });
    player.play(path,
                [&outcome](const QString& reason) { outcome.failure = reason.isEmpty() ? "?" : reason; });
    // The outcome says whether the file ended, failed or neither; the wait's own answer adds nothing.
    (void)QTest::qWaitFor(
        [&] {
            if (whilePlaying && player.videoWindow() && player.videoWindow()->isVisible()) {
                whilePlaying(); // which plays something else: this file will not end
                return true;
            }
            return outcome.told();
        },
        15000);
    QObject::disconnect(connection);
    return outcome;
}

class MediaPlayer : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QtMediaPlayer player;
    void SetUp() override { player.setMuted(true); }
};

} // namespace

TEST_F(MediaPlayer, PlaysMidiThroughTheSoundFont)
{
    if (QDir(QStringLiteral("/usr/share/sounds/sf2")).entryList({"*.sf2"}).isEmpty())
        GTEST_SKIP() << "no General MIDI sound font in /usr/share/sounds/sf2";
    const QString midi = dir.filePath("tune.mid");
    ASSERT_TRUE(fakes::writeAllOf(midi, shortMidi()));
    const Outcome outcome = playToEnd(player, midi);
    if (!outcome.failure.isEmpty())
        GTEST_SKIP() << "the media framework cannot play MIDI here: " << outcome.failure.toStdString();
    EXPECT_TRUE(outcome.finished);
}

TEST_F(MediaPlayer, ANewFileClosesThePlayingVideoAndItsWindow)
{
    const QString launcher = QStandardPaths::findExecutable(QStringLiteral("gst-launch-1.0"));
    if (launcher.isEmpty())
        GTEST_SKIP() << "gst-launch-1.0 is not installed to make a video";
    const QString video = dir.filePath("clip.avi");
    QProcess make;
    make.start(launcher,
               {"-q", "videotestsrc", "num-buffers=30", "!", "video/x-raw,width=64,height=48,framerate=10/1",
                "!", "jpegenc", "!", "avimux", "!", "filesink", "location=" + video});
    if (!make.waitForFinished(30000) || make.exitCode() != 0 || !QFile::exists(video))
        GTEST_SKIP() << "gst-launch-1.0 could not make a video here";
    const QString wave = dir.filePath("ding.wav");
    ASSERT_TRUE(fakes::writeAllOf(wave, shortWave()));

    // While the three-second video shows, the sound takes its place.
    bool videoShown = false;
    Outcome soundOutcome;
    const Outcome videoOutcome = playToEnd(player, video, [&] {
        videoShown = true;
        soundOutcome = playToEnd(player, wave);
        EXPECT_EQ(player.videoWindow() && player.videoWindow()->isVisible(), false);
    });
    if (!videoShown)
        GTEST_SKIP() << "the media framework cannot show a video here: "
                     << videoOutcome.failure.toStdString();
    EXPECT_FALSE(videoOutcome.finished); // closed, not played to its end
    EXPECT_TRUE(soundOutcome.finished);
}

TEST_F(MediaPlayer, TheShippedSoundsAreOfTheirKindAndTheChimePlays)
{
    const QString sounds = QStringLiteral(VESKEL_PROGRAM_DIR "/Sounds/");
    const auto start = [&sounds](const QString& name) {
        QFile f(sounds + name);
        return f.open(QIODevice::ReadOnly) ? f.read(12) : QByteArray();
    };
    EXPECT_TRUE(start("chime.wav").startsWith("RIFF") && start("chime.wav").endsWith("WAVE"));
    EXPECT_TRUE(start("bell.wav").startsWith("RIFF") && start("bell.wav").endsWith("WAVE"));
    EXPECT_TRUE(start("tune.mid").startsWith("MThd"));
    const Outcome outcome = playToEnd(player, sounds + "chime.wav");
    if (!outcome.failure.isEmpty())
        GTEST_SKIP() << "the media framework cannot play a WAVE file here: " << outcome.failure.toStdString();
    EXPECT_TRUE(outcome.finished);
}

// Where no sound can be heard the framework plays into nothing and only says so on the error
// output: the player tells why instead.
TEST_F(MediaPlayer, ASoundWithNoOutputToGoToIsToldWhy)
{
    QtMediaPlayer deaf(nullptr, [] { return false; });
    const Outcome outcome = playToEnd(deaf, QStringLiteral(VESKEL_PROGRAM_DIR "/Sounds/chime.wav"));
    if (outcome.failure.isEmpty() || outcome.failure == QtMediaPlayer::NoSoundOutput)
        EXPECT_EQ(outcome.failure, QtMediaPlayer::NoSoundOutput);
    else
        GTEST_SKIP() << "the media framework cannot play a WAVE file here: " << outcome.failure.toStdString();
}
