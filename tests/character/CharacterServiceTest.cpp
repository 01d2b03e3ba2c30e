#include "character/CharacterAnimator.h"
#include "character/CharacterWindow.h"
#include "character/DesktopCharacters.h"
#include "character/FrameComposer.h"
#include "character/Outline.h"
#include "character/WordBalloon.h"

#include "acs/AcsWriter.h"
#include "support/CharacterFixtures.h"
#include "support/Files.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace character;

namespace {

class CharacterServiceTest : public ::testing::Test
{
protected:
    QTemporaryDir shipped;
    QTemporaryDir own;
    DesktopCharacters service{{own.path(), shipped.path()}, std::make_unique<TimedSpeech>(), false};

    void SetUp() override
    {
        fixtures::writeCharacterFile(shipped.path(), "tester.acs", fixtures::smallCharacter());
    }

    DesktopCharacter& load(const QString& name = QStringLiteral("tester"))
    {
        const CharacterRequestPtr loading = service.Load(name, name + ".acs");
        EXPECT_TRUE(QTest::qWaitFor([&] { return loading->finished(); }, 20000));
        return *service.loaded(name);
    }
};

bool waitUntilFinished(const CharacterRequestPtr& r)
{
    return QTest::qWaitFor([&] { return r->finished(); }, 5000);
}

} // namespace

TEST_F(CharacterServiceTest, LoadsByBareFileNameFromItsFoldersAndRefusesWhatItCannotUse)
{
    // The file is read on a thread of its own; the character takes requests meanwhile.
    const CharacterRequestPtr loading = service.Load("tester", "tester.acs");
    EXPECT_EQ(loading->Status(), RequestInProgress);
    const CharacterRequestPtr shown = service.Character("tester").Show(true);
    EXPECT_EQ(shown->Status(), RequestPending);
    ASSERT_TRUE(waitUntilFinished(shown));
    EXPECT_EQ(loading->Status(), RequestComplete);
    EXPECT_TRUE(service.Character("tester").Visible());
    EXPECT_THROW(service.Load("tester", "tester.acs"), CharacterLoadError); // the name is taken
    EXPECT_THROW(service.Load("nobody", "nobody.acs"), CharacterLoadError);
    EXPECT_THROW(service.Character("nobody"), CharacterLoadError);

    // The user's own folder comes first.
    fixtures::writeCharacterFile(own.path(), "tester.acs", fixtures::smallCharacter("Mine"));
    EXPECT_EQ(service.locate("tester.acs"), QDir(own.path()).filePath("tester.acs"));
    // The list shows "Tester"; the file may be written in any letter case.
    EXPECT_EQ(service.locate("Tester.ACS"), QDir(own.path()).filePath("tester.acs"));
    EXPECT_TRUE(waitUntilFinished(service.Load("Tester", "Tester.acs")));
    service.Unload("Tester");

    // A broken file is found out after the load returned: it is told, and the requests fail.
    ASSERT_TRUE(fakes::writeAllOf(QDir(own.path()).filePath("broken.acs"),
                                  acswriter::writeAcs(fixtures::smallCharacter()).left(300)));
    QSignalSpy failed(&service, &CharacterService::LoadFailed);
    const CharacterRequestPtr broken = service.Load("broken", "broken.acs");
    const CharacterRequestPtr speech = service.Character("broken").Speak("Hello", QString());
    ASSERT_TRUE(failed.wait(5000));
    EXPECT_EQ(failed[0][0], QStringLiteral("broken"));
    EXPECT_EQ(broken->Status(), RequestFailed);
    EXPECT_EQ(speech->Status(), RequestFailed);
    EXPECT_EQ(service.Character("broken").Show(false)->Status(), RequestFailed);

    service.Unload("tester");
    EXPECT_FALSE(service.isLoaded("tester"));
}

TEST_F(CharacterServiceTest, RequestsRunOneAfterAnotherFromPendingThroughInProgressToComplete)
{
    DesktopCharacter& c = load();
    c.setLeft(40);
    c.setTop(30);
    const CharacterRequestPtr show = c.Show(false);
    const CharacterRequestPtr speak = c.Speak("Hi there", QString());
    c.setBalloonVisible(false);
    const CharacterRequestPtr hide = c.Hide(false);
    // The show starts at once; the others wait their turn.
    EXPECT_EQ(show->Status(), RequestInProgress);
    EXPECT_EQ(speak->Status(), RequestPending);
    EXPECT_EQ(hide->Status(), RequestPending);
    EXPECT_TRUE(c.Visible());
    EXPECT_EQ(c.window()->pos(), QPoint(40, 30));

    ASSERT_TRUE(waitUntilFinished(show));
    EXPECT_EQ(show->Status(), RequestComplete);
    ASSERT_TRUE(QTest::qWaitFor([&] { return speak->Status() == RequestInProgress; }, 2000));
    EXPECT_EQ(hide->Status(), RequestPending); // the hide waits for the speech
    ASSERT_TRUE(c.balloon());
    EXPECT_TRUE(c.balloon()->isVisible());
    EXPECT_EQ(c.balloon()->text(), QStringLiteral("Hi there"));
    // The words appear as they are said.
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.balloon()->shownText() == QStringLiteral("Hi"); }, 2000));
    ASSERT_TRUE(waitUntilFinished(speak));
    EXPECT_EQ(speak->Status(), RequestComplete);
    // The last words stay to be read before the character goes.
    EXPECT_EQ(c.balloon()->shownText(), QStringLiteral("Hi there"));
    QTest::qWait(300);
    EXPECT_TRUE(c.balloon()->isVisible());
    EXPECT_TRUE(c.Visible());
    EXPECT_FALSE(hide->finished());
    ASSERT_TRUE(waitUntilFinished(hide));
    EXPECT_EQ(hide->Status(), RequestComplete);
    EXPECT_FALSE(c.Visible());
    EXPECT_FALSE(c.balloon()->isVisible());
}

TEST_F(CharacterServiceTest, StopAllInterruptsTheRunningAndTheQueuedRequests)
{
    DesktopCharacter& c = load();
    const CharacterRequestPtr show = c.Show(false);
    const CharacterRequestPtr speak = c.Speak("A long speech that nobody will hear", QString());
    c.StopAll(QString());
    EXPECT_EQ(show->Status(), RequestInterrupted);
    EXPECT_EQ(speak->Status(), RequestInterrupted);
    EXPECT_EQ(c.current(), nullptr);
    // A fast hide on an idle character is done when the call returns: nothing to wait for.
    const CharacterRequestPtr hide = c.Hide(true);
    EXPECT_EQ(hide->Status(), RequestComplete);
    EXPECT_FALSE(c.Visible());
    // Stopped while speaking: the balloon goes too.
    c.Show(true);
    const CharacterRequestPtr talk = c.Speak("Hello", QString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return talk->Status() == RequestInProgress; }, 2000));
    c.StopAll(QString());
    EXPECT_EQ(talk->Status(), RequestInterrupted);
    EXPECT_FALSE(c.balloon()->isVisible());
}

TEST_F(CharacterServiceTest, TheUserDragsTheCharacterAlsoOverAModalDialogAndSendsItAway)
{
    DesktopCharacter& c = load();
    c.Show(true);
    CharacterWindow* w = c.window();
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(w->size(), QSize(12, 10));
    // The body of the test pictures is 7 x 7 pixels inside a transparent border.
    EXPECT_EQ(w->shape().boundingRect(), QRect(3, 2, 7, 7));
    EXPECT_FALSE(w->shape().contains(QPoint(0, 0)));
    c.Speak("Look at me", QString());

    // A modal dialog (the event details, say) is open: the character still follows the mouse,
    // through the window system as the user's mouse would reach it, its balloon along.
    QDialog details;
    details.setModal(true);
    details.show();
    QSignalSpy moves(&service, &CharacterService::Move);
    const QPoint start = w->pos();
    const QPoint balloonAt = c.balloon()->pos();
    QTest::mousePress(w->windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5),
                     QPointF(w->mapToGlobal(QPoint(5, 5)) + QPoint(100, 50)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
    EXPECT_NE(c.balloon()->pos(), balloonAt);
    QTest::mouseRelease(w->windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(moves.count(), 1);
    EXPECT_EQ(moves[0], (QVariantList{QStringLiteral("tester"), start.x() + 100, start.y() + 50,
                                      int(CharacterService::MovedByUser)}));
    EXPECT_EQ(c.Left(), start.x() + 100);
    EXPECT_EQ(c.Top(), start.y() + 50);

    // Its menu sends it away; so does a double click.
    ASSERT_EQ(w->menu()->actions().size(), 1);
    w->menu()->actions().front()->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !c.Visible(); }, 5000));
    c.Show(true);
    QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !c.Visible(); }, 5000));
}

// Large frames are composed off the UI thread, which goes on ticking; of the pictures only what
// the file stores is kept, and those unpacked for drawing stay within their budget.
TEST_F(CharacterServiceTest, LargePicturesAreDrawnAsideAndKeptWithinTheirBudget)
{
    fixtures::writeCharacterFile(own.path(), "large.acs", fixtures::picturesCharacter(2048, 62));
    DesktopCharacter& c = load("large");
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(1);
    QSignalSpy drawn(c.animator(), &CharacterAnimator::frameChanged);
    c.Show(true);
    EXPECT_EQ(drawn.count(), 0); // on its way
    ASSERT_TRUE(drawn.wait(20000));
    EXPECT_GT(ticks, 0);
    EXPECT_EQ(c.window()->shape().boundingRect(), QRect(0, 0, 2048, 2048 / 62));
    // Sixteen pictures drawn one after another: twice as many as the budget holds.
    const std::vector<acs::Frame>& frames = c.data()->animations[0].frames;
    for (size_t i = 1; i <= 16; ++i) {
        drawn.clear();
        c.animator()->hold(frames[i]);
        ASSERT_TRUE(drawn.count() > 0 || drawn.wait(20000));
    }
    EXPECT_LE(c.animator()->composer().heldBytes(), FrameComposer::DefaultPictureBudget);
}

TEST_F(CharacterServiceTest, ACharacterWithNothingToShowStillShowsSomethingToClick)
{
    acs::Character invisible = fixtures::smallCharacter();
    for (acs::Image& img : invisible.images)
        img.pixels.fill(char(invisible.transparentIndex));
    fixtures::writeCharacterFile(own.path(), "ghost.acs", invisible);
    DesktopCharacter& c = load("ghost");
    c.Show(true);
    EXPECT_TRUE(c.window()->showsPlaceholder());
    EXPECT_FALSE(c.window()->shape().isEmpty());
}

TEST(FrameComposer, StacksPicturesFromTheLastAndLaysTheMouthOn)
{
    auto data = std::make_shared<acs::Character>(fixtures::smallCharacter());
    FrameComposer composer(data);
    const acs::Frame& talking = data->animation("Speak")->frames[0];
    const QImage plain = composer.compose(talking).image;
    EXPECT_EQ(plain.size(), QSize(12, 10));
    EXPECT_EQ(qAlpha(plain.pixel(0, 0)), 0);
    // Picture 2 is on top of picture 3 (shifted by one): the top one's colour shows.
    EXPECT_EQ(plain.pixel(5, 3) & 0xFFFFFF, data->palette[1]);
    // The closed mouth replaces the top picture, so picture 3 shows through where 2 was alone.
    const QImage closed = composer.compose(talking, acs::MouthShape::Closed).image;
    EXPECT_EQ(closed.pixel(3, 8) & 0xFFFFFF, data->palette[1]);
    EXPECT_NE(composer.compose(talking, acs::MouthShape::Wide2).image, plain);
    // A shape the frame does not have leaves it as it is.
    EXPECT_EQ(composer.compose(talking, acs::MouthShape::Narrow).image, plain);
}

// The outline is exact while it stays within its limit of rectangles, and coarser past it.
TEST(Outline, IsExactUntilItWouldBreakTheDisplayServersLimit)
{
    const acs::Character board = fixtures::checkerboardCharacter(64);
    const QByteArray pixels = board.images[0].pixels;
    const PixelPlane plane{reinterpret_cast<const uint8_t*>(pixels.constData()), 64, 1, 64, 64, 0};
    QRegion exact;
    const std::vector<QRect> fine = outlineOf(plane, 64 * 32);
    exact.setRects(fine.data(), int(fine.size()));
    EXPECT_EQ(fine.size(), 64u * 32u);
    EXPECT_TRUE(exact.contains(QPoint(0, 0)) && !exact.contains(QPoint(1, 0)) &&
                exact.contains(QPoint(1, 1)));
    const std::vector<QRect> coarse = outlineOf(plane, 100);
    ASSERT_EQ(coarse.size(), 1u);
    EXPECT_EQ(coarse[0], QRect(0, 0, 64, 64));
    // Rows alike are one band; nothing shown, no outline.
    const QByteArray bar(4 * 3, char(1));
    EXPECT_EQ(outlineOf({reinterpret_cast<const uint8_t*>(bar.constData()), 4, 1, 4, 3, 0}),
              std::vector<QRect>{QRect(0, 0, 4, 3)});
    EXPECT_TRUE(outlineOf({reinterpret_cast<const uint8_t*>(bar.constData()), 4, 1, 4, 3, 1}).empty());
}

TEST(Speech, WordsAndMouthFollowTheTime)
{
    const Utterance u = timedUtterance(QStringLiteral("  Good  morning "));
    ASSERT_EQ(u.words.size(), 2u);
    EXPECT_EQ(u.words[0].position, 2);
    EXPECT_EQ(u.words[1].position, 8);
    EXPECT_EQ(u.spokenLength(0), 6);
    EXPECT_EQ(u.spokenLength(u.words[1].startMs), 15);
    EXPECT_EQ(u.spokenLength(u.durationMs + 100), 15);
    EXPECT_EQ(u.mouthAt(0), acs::MouthShape::Wide2);
    EXPECT_EQ(u.mouthAt(u.durationMs), acs::MouthShape::Closed);
    EXPECT_TRUE(timedUtterance(QString()).words.empty());
}

TEST(Speech, TheCharacterFileChoosesLanguageSexSpeedAndPitch)
{
    acs::Character c = fixtures::smallCharacter();
    VoiceChoice v = voiceChoiceFor(c);
    EXPECT_EQ(v.language, QByteArray("de"));
    EXPECT_EQ(v.gender, 1); // the file's male is espeak-ng's 1
    EXPECT_EQ(v.rate, 160);
    EXPECT_EQ(v.pitch, 30);
    c.voice->speed = 5000;
    c.voice->languageId = 0x0809;
    EXPECT_EQ(voiceChoiceFor(c).rate, 450);
    EXPECT_EQ(voiceChoiceFor(c).language, QByteArray("en-gb"));
    c.voice->languageId = 0x7777;
    EXPECT_EQ(voiceChoiceFor(c).language, QByteArray("en"));
    c.voice.reset();
    EXPECT_EQ(voiceChoiceFor(c).language, QByteArray("en"));
}

// The words tell their language, a time is said as a time, a long text is said part by part.
TEST(Speech, TheWordsTellTheirLanguageAndTimesAreSaidAsTimes)
{
    const std::pair<const char*, const char*> texts[] = {
        {"Es ist Zeit für die Besprechung mit dem Team", "de"},
        {"حان وقت الاجتماع مع الفريق", "ar"},
        {"会议马上开始", "cmn"},
        {"Пора на встречу", "ru"},
        {"It is time for the meeting with the team", "en"},
        {"Il est l'heure de la réunion avec le patron", "fr"},
        {"OK, 10:30", "xx"}};
    for (const auto& [text, language] : texts)
        EXPECT_EQ(languageOfText(QString::fromUtf8(text), "xx"), language) << text;
    EXPECT_EQ(languageNamed("chinese"), "cmn");
    EXPECT_TRUE(languageNamed("Klingon").isEmpty());

    const SpokenForm said = spokenForm("It is 9:05 AM.", "en");
    EXPECT_EQ(said.text, QStringLiteral("It is 9 oh 5 AM."));
    EXPECT_EQ(said.origin[6], 10); // a word of the time ends where the time does
    EXPECT_EQ(said.origin.back(), 14);
    EXPECT_EQ(spokenForm("Um 15:45 und 9:00 Uhr.", "de").text, QStringLiteral("Um 15 Uhr 45 und 9 Uhr."));
    EXPECT_EQ(spokenForm("Version 2:3, 25:10, 1:2:3", "en").text,
              QStringLiteral("Version 2:3, 25:10, 1:2:3"));

    const auto parts = speechParts("One. Two! " + QString(600, u'x'), 240);
    EXPECT_EQ(parts, (std::vector<std::pair<int, int>>{{0, 4}, {4, 5}, {9, 240}, {249, 240}, {489, 121}}));
}

namespace {

// Phonemes without stress, length marks, pauses and blanks, which the two ways espeak-ng gives
// them write differently.
QByteArray plainPhonemes(const QByteArray& phonemes)
{
    QByteArray plain;
    for (qsizetype i = 0; i < phonemes.size(); ++i) {
        if (phonemes[i] == '_')
            ++i;
        else if (!QByteArray("',: \n").contains(phonemes[i]))
            plain += phonemes[i];
    }
    return plain;
}

// What espeak-ng's own program makes of a text in a language.
QByteArray espeakPhonemes(const QString& text, const char* language)
{
    QProcess espeak;
    espeak.start(QStringLiteral("espeak-ng"), {"-x", "-q", "-v", language, text});
    espeak.waitForFinished(20000);
    return plainPhonemes(espeak.readAllStandardOutput());
}

} // namespace

// espeak-ng says a German and an Arabic message with the phonemes it has for them in German and
// in Arabic; the longest message starts within a second, its first part said while the rest waits.
TEST(Speech, EspeakNgSpeaksAMessageInItsLanguageAndALongOneAtOnce)
{
    if (QStandardPaths::findExecutable("espeak-ng").isEmpty())
        GTEST_SKIP() << "needs espeak-ng's own program (package espeak-ng)";
    const QString german = QStringLiteral("Es ist Zeit für die Besprechung mit dem Team");
    const QString arabic = QStringLiteral("حان وقت الاجتماع");
    QString longest;
    while (longest.size() < 32767)
        longest += QStringLiteral("The meeting with the team starts at ten. ");
    longest.truncate(32767);
    EspeakSpeech speech;
    QSignalSpy done(&speech, &SpeechEngine::synthesized);
    QElapsedTimer clock;
    clock.start();
    speech.synthesize(1, longest, VoiceChoice{});
    ASSERT_TRUE(done.wait(20000));
    const qint64 firstMs = clock.elapsed();
    if (done[0][1].value<Utterance>().samples.isEmpty())
        GTEST_SKIP() << "espeak-ng could not start here; words are timed without a voice";
    EXPECT_LT(firstMs, 1000);
    EXPECT_FALSE(done[0][2].toBool()); // the rest waits until asked for
    EXPECT_EQ(done[0][1].value<Utterance>().words.at(1).position, 4);
    VoiceChoice choice;
    choice.language = languageOfText(german, "en");
    speech.synthesize(2, german, choice);
    choice.language = "en"; // the script tells the voice
    speech.synthesize(3, arabic, choice);
    ASSERT_TRUE(QTest::qWaitFor([&] { return done.size() == 3; }, 20000));
    const auto germanSaid = done[1][1].value<Utterance>(), arabicSaid = done[2][1].value<Utterance>();
    EXPECT_EQ(germanSaid.language, QByteArray("de"));
    EXPECT_EQ(arabicSaid.language, QByteArray("ar"));
    EXPECT_EQ(plainPhonemes(germanSaid.phonemes), espeakPhonemes(german, "de"));
    EXPECT_NE(plainPhonemes(germanSaid.phonemes), espeakPhonemes(german, "en"));
    EXPECT_EQ(plainPhonemes(arabicSaid.phonemes), espeakPhonemes(arabic, "ar"));
}

// The longest message: a balloon of at most a third of the screen that scrolls with the words.
// Arabic stands at the right.
TEST_F(CharacterServiceTest, ALongMessageScrollsInABalloonOfAThirdOfTheScreen)
{
    DesktopCharacter& c = load();
    c.Show(true);
    QString text;
    while (text.size() < 32767)
        text += QStringLiteral("Remember the meeting with the team at ten. ");
    text.truncate(32767);
    c.Speak(text, QString());
    WordBalloon* b = c.balloon();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !b->shownText().isEmpty(); }, 5000));
    EXPECT_LE(b->height(), b->screen()->availableGeometry().height() / 3 + 60);
    EXPECT_GT(b->lineCount(), b->shownLines());
    EXPECT_EQ(b->firstShownLine(), 0);
    b->setSpoken(20000);
    EXPECT_GT(b->firstShownLine(), 0);
    EXPECT_LT(b->firstShownLine() + b->shownLines(), b->lineCount());
    c.StopAll(QString());

    b->setText(QStringLiteral("حان وقت الاجتماع مع الفريق في القاعة الكبيرة بعد قليل يا أصدقاء"));
    b->setSpoken(int(b->text().size()));
    ASSERT_EQ(b->lineCount(), 3);
    const QImage shot = b->grab().toImage();
    // The letters' columns, line by line (lines are parted by rows without any), away from the
    // outline and its tail.
    std::vector<std::pair<int, int>> lines;
    bool inLine = false;
    for (int y = 16; y < shot.height() - 16; ++y) {
        int left = shot.width(), right = -1;
        for (int x = 8; x < shot.width() - 8; ++x)
            if (qGray(shot.pixel(x, y)) < 100 && qAlpha(shot.pixel(x, y)) == 255) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        if (right >= 0 && !inLine)
            lines.emplace_back(left, right);
        else if (right >= 0)
            lines.back() = {std::min(lines.back().first, left), std::max(lines.back().second, right)};
        inLine = right >= 0;
    }
    ASSERT_EQ(lines.size(), 3u);
    const auto [firstLeft, firstRight] = lines.front();
    const auto [lastLeft, lastRight] = lines.back();
    EXPECT_NEAR(lastRight, firstRight, 8);
    EXPECT_GT(lastLeft, firstLeft + 20);
}

// The most ragged outline a file can give, on a real X server: the window gets an outline the
// server takes, and the program's connection holds.
TEST(CharacterOnX11, TheMostRaggedOutlineKeepsTheConnection)
{
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty())
        GTEST_SKIP() << "needs Xvfb (package xvfb)";
    QProcess server;
    server.start(xvfb, {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    ASSERT_TRUE(server.waitForReadyRead(20000));
    QTemporaryDir dir;
    fixtures::writeCharacterFile(dir.path(), "checker.acs", fixtures::checkerboardCharacter(2048));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", ":" + QString::fromLatin1(server.readLine().trimmed()));
    env.insert("QT_QPA_PLATFORM", "xcb");
    QProcess demo;
    demo.setProcessEnvironment(env);
    demo.start(VESKEL_CHARACTER_DEMO, {dir.path(), "checker.acs", "0", "0", "", "1000"});
    EXPECT_TRUE(demo.waitForFinished(120000));
    const QByteArray said = demo.readAllStandardOutput();
    EXPECT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().constData();
    EXPECT_TRUE(said.startsWith("outline of ")) << said.constData();
    EXPECT_LE(said.mid(11).split(' ').front().toInt(), MaxOutlineRectangles);
    server.terminate();
    server.waitForFinished();
}
