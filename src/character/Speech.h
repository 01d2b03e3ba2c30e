#pragma once

#include "character/AcsCharacter.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <vector>

class QThread;

namespace character {

// One spoken text laid out in time: when each word starts, how wide the mouth is, and the
// sound itself where a voice made one.
struct Utterance
{
    struct Word
    {
        int startMs = 0;
        int position = 0; // in the text, in UTF-16 units
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

    // The mouth at a moment of the speech.
    acs::MouthShape mouthAt(int ms) const;
    // How much of the text has been said by a moment: up to the end of the word being spoken.
    int spokenLength(int ms) const;
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

// Words timed without a voice, for when no synthesiser is there: a steady pace by length.
Utterance timedUtterance(const QString& text);

// Turns text into an utterance on a thread of its own and hands it back on the caller's thread.
class SpeechEngine : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    virtual void synthesize(int id, const QString& text, const VoiceChoice& voice) = 0;

signals:
    void synthesized(int id, const character::Utterance& utterance);
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
};

} // namespace character

Q_DECLARE_METATYPE(character::Utterance)
Q_DECLARE_METATYPE(character::VoiceChoice)
