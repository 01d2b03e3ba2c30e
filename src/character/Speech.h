#pragma once

#include "character/AcsCharacter.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <vector>

class QThread;

namespace character {

// Spoken text laid out in time: when each word starts, how wide the mouth is, and the sound
// itself where a voice made one. Long texts are spoken in parts, one after another.
struct Utterance
{
    struct Word
    {
        int startMs = 0;
        int position = 0; // in the whole text, in UTF-16 units
        int length = 0;
    };
    struct Mouth
    {
        int startMs = 0;
        acs::MouthShape shape = acs::MouthShape::Closed;
    };
    std::vector<Word> words;
    std::vector<Mouth> mouth;
    int durationMs = 0;
    QByteArray samples; // 16-bit mono PCM, empty without a voice
    int sampleRate = 0;
    QByteArray language; // the voice's language, where a voice spoke
    QByteArray phonemes; // the voice's phonemes, each followed by a blank

    // The mouth at a moment of the speech.
    acs::MouthShape mouthAt(int ms) const;
    // How much of the text has been said by a moment: up to the end of the word being spoken.
    int spokenLength(int ms) const;
    // Adds `part` (timed from its own start) after what is here; the sound is left out.
    void appendTimes(const Utterance& part);
};

// The voice a character file asks for, in terms a synthesiser understands.
struct VoiceChoice
{
    QByteArray language = "en"; // an espeak-ng language name
    int gender = 0;             // 0 any, 1 male, 2 female
    int age = 0;
    int rate = 175; // words per minute
    int pitch = 50; // 0 to 100, 50 normal
};
VoiceChoice voiceChoiceFor(const acs::Character& character);
// The language name for a Windows language id (0x0407 German gives "de"); "en" when unknown.
QByteArray languageNameFor(uint16_t languageId);
// The language name for a language called by its English name ("German" gives "de"); empty
// when unknown.
QByteArray languageNamed(const QString& englishName);

// The language a text is written in, as far as its letters tell: the script's language for
// scripts used by few languages (Arabic "ar", Chinese "cmn", Cyrillic "ru", ...); for Latin
// letters the language whose common words and letters it uses clearly most; else `fallback`.
QByteArray languageOfText(const QString& text, const QByteArray& fallback);
// The language of a script that tells it; empty for Latin letters and texts without letters.
QByteArray languageOfScript(const QString& text);

// Where a text is cut to be spoken part by part: after each sentence, and at a blank (or, without
// one, anywhere) where a sentence runs past `longest` characters. (start, length) pairs.
std::vector<std::pair<int, int>> speechParts(const QString& text, int longest = 240);

// A text as a voice should be given it, with times ("9:05", "9:05 AM") written as they are said
// in `language` ("nine oh five", "neun Uhr fünf"), not digit by digit. `origin` tells for each
// character, and one past the end, where it stands in the text.
struct SpokenForm
{
    QString text;
    std::vector<int> origin;
};
SpokenForm spokenForm(const QString& text, const QByteArray& language);

// Words timed without a voice, for when no synthesiser is there: a steady pace by length.
Utterance timedUtterance(const QString& text);

// Turns text into utterances on a thread of its own, a part at a time, and hands each back on
// the caller's thread: the first soon after `synthesize`, each further one when `synthesizeMore`
// asks for it, the last with `last` set. Word positions count in the whole text; times from the
// part's own start. A new text ends the one before.
class SpeechEngine : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    virtual void synthesize(int id, const QString& text, const VoiceChoice& voice) = 0;
    virtual void synthesizeMore(int id) = 0;

signals:
    void synthesized(int id, const character::Utterance& part, bool last);
};

// espeak-ng, synthesising into memory (nothing is played here); falls back to timed words when
// espeak-ng cannot start or the text gives no sound.
class EspeakSpeech final : public SpeechEngine
{
    Q_OBJECT

public:
    explicit EspeakSpeech(QObject* parent = nullptr);
    ~EspeakSpeech() override;
    void synthesize(int id, const QString& text, const VoiceChoice& voice) override;
    void synthesizeMore(int id) override;

private:
    QThread* m_thread = nullptr;
    QObject* m_worker = nullptr;
};

// Synthesises at once on the calling thread, without a voice: for tests and for machines where
// speech is not wanted.
class TimedSpeech final : public SpeechEngine
{
    Q_OBJECT

public:
    using SpeechEngine::SpeechEngine;
    void synthesize(int id, const QString& text, const VoiceChoice& voice) override;
    void synthesizeMore(int id) override;

private:
    int m_id = 0;
    QString m_text;
    std::vector<std::pair<int, int>> m_parts;
    size_t m_next = 0;
};

} // namespace character

Q_DECLARE_METATYPE(character::Utterance)
Q_DECLARE_METATYPE(character::VoiceChoice)
