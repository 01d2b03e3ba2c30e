#include "character/CharacterWindow.h"
#include "character/DesktopCharacters.h"
#include "character/FrameComposer.h"
#include "character/WordBalloon.h"

#include "acs/AcsWriter.h"
#include "support/CharacterFixtures.h"
#include "support/Files.h"

#include <QFile>
#include <QSignalSpy>
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
        service.Load(name, name + ".acs");
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
    const CharacterRequestPtr loaded = service.Load("tester", "tester.acs");
    EXPECT_EQ(loaded->Status(), RequestComplete);
    EXPECT_TRUE(service.isLoaded("tester"));
    EXPECT_FALSE(service.Character("tester").Visible());
    EXPECT_EQ(&service.Item("tester"), &service.Character("tester"));
    EXPECT_THROW(service.Load("tester", "tester.acs"), CharacterLoadError); // the name is taken
    EXPECT_THROW(service.Load("nobody", "nobody.acs"), CharacterLoadError);
    EXPECT_THROW(service.Character("nobody"), CharacterLoadError);

    // The user's own folder comes first.
    fixtures::writeCharacterFile(own.path(), "tester.acs", fixtures::smallCharacter("Mine"));
    EXPECT_EQ(service.locate("tester.acs"), QDir(own.path()).filePath("tester.acs"));
    // The list shows "Tester"; the file may be written in any letter case.
    EXPECT_EQ(service.locate("Tester.ACS"), QDir(own.path()).filePath("tester.acs"));
    EXPECT_EQ(service.Load("Tester", "Tester.acs")->Status(), RequestComplete);
    service.Unload("Tester");

    ASSERT_TRUE(fakes::writeAllOf(QDir(own.path()).filePath("broken.acs"),
                                  acswriter::writeAcs(fixtures::smallCharacter()).left(300)));
    EXPECT_THROW(service.Load("broken", "broken.acs"), CharacterLoadError);
    EXPECT_FALSE(service.isLoaded("broken"));

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
    EXPECT_EQ(c.balloon()->shownText(), QStringLiteral("Hi there"));
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

TEST_F(CharacterServiceTest, TheWindowTakesTheShapeOfTheFrameAndTellsWhereTheUserDroppedIt)
{
    DesktopCharacter& c = load();
    c.Show(true);
    CharacterWindow* w = c.window();
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(w->size(), QSize(12, 10));
    // The body of the test pictures is 7 x 7 pixels inside a transparent border.
    EXPECT_EQ(w->shape().boundingRect(), QRect(3, 2, 7, 7));
    EXPECT_FALSE(w->shape().contains(QPoint(0, 0)));
    EXPECT_EQ(w->shape(), opaqueRegion(w->frame()));

    QSignalSpy moves(&service, &CharacterService::Move);
    const QPoint start = w->pos();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5),
                     QPointF(w->mapToGlobal(QPoint(5, 5)) + QPoint(100, 50)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(moves.count(), 1);
    EXPECT_EQ(moves[0], (QVariantList{QStringLiteral("tester"), start.x() + 100, start.y() + 50,
                                      int(CharacterService::MovedByUser)}));
    EXPECT_EQ(c.Left(), start.x() + 100);
    EXPECT_EQ(c.Top(), start.y() + 50);

    // A double click sends it away.
    QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !c.Visible(); }, 5000));
}

TEST(FrameComposer, StacksPicturesFromTheLastAndLaysTheMouthOn)
{
    auto data = std::make_shared<acs::Character>(fixtures::smallCharacter());
    FrameComposer composer(data);
    const acs::Frame& talking = data->animation("Speak")->frames[0];
    const QImage plain = composer.compose(talking);
    EXPECT_EQ(plain.size(), QSize(12, 10));
    EXPECT_EQ(qAlpha(plain.pixel(0, 0)), 0);
    // Picture 2 is on top of picture 3 (shifted by one): the top one's colour shows.
    EXPECT_EQ(plain.pixel(5, 3) & 0xFFFFFF, data->palette[1]);
    // The closed mouth replaces the top picture, so picture 3 shows through where 2 was alone.
    const QImage closed = composer.compose(talking, acs::MouthShape::Closed);
    EXPECT_EQ(closed.pixel(3, 8) & 0xFFFFFF, data->palette[1]);
    EXPECT_NE(composer.compose(talking, acs::MouthShape::Wide2), plain);
    // A shape the frame does not have leaves it as it is.
    EXPECT_EQ(composer.compose(talking, acs::MouthShape::Narrow), plain);
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
    EXPECT_EQ(languageNameFor(0x040C), QByteArray("fr"));
}

TEST(Speech, EspeakNgTimesTheWordsOfAText)
{
    EspeakSpeech speech;
    QSignalSpy done(&speech, &SpeechEngine::synthesized);
    speech.synthesize(7, QStringLiteral("Good morning, Veskel"), VoiceChoice{});
    ASSERT_TRUE(done.wait(20000));
    EXPECT_EQ(done[0][0].toInt(), 7);
    const auto u = done[0][1].value<Utterance>();
    if (u.samples.isEmpty())
        GTEST_SKIP() << "espeak-ng could not start here; words are timed without a voice";
    ASSERT_EQ(u.words.size(), 3u);
    EXPECT_EQ(u.words[0].position, 0);
    EXPECT_EQ(u.words[1].position, 5);
    EXPECT_EQ(u.words[2].position, 14);
    EXPECT_GT(u.durationMs, 500);
    EXPECT_LT(u.words[0].startMs, u.words[2].startMs);
    EXPECT_TRUE(std::any_of(u.mouth.begin(), u.mouth.end(),
                            [](const Utterance::Mouth& m) { return m.shape != acs::MouthShape::Closed; }));
}
