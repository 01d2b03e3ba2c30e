#include "character/Speech.h"
#include "support/CharacterFixtures.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

using namespace character;

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
