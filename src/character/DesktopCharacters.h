#pragma once

#include "character/AcsCharacter.h"
#include "character/CharacterService.h"
#include "character/Speech.h"

#include <QElapsedTimer>
#include <QPoint>
#include <QThreadPool>
#include <QTimer>

#include <deque>
#include <map>
#include <memory>

class QAudioSink;
class QIODevice;

namespace character {

class CharacterAnimator;
class CharacterWindow;
class WordBalloon;

// A character of ours on the desktop: its window, its balloon, its voice and the queue of its
// requests, worked off one after another on the UI thread by timers. It exists from the moment it
// is loaded; requests wait in the queue until its file has been read, and fail if it cannot be.
class DesktopCharacter final : public QObject, public AgentCharacter
{
    Q_OBJECT

public:
    // `userLanguage` and `translate` are the service's, which may change them later.
    DesktopCharacter(const QString& name, SpeechEngine& speech, bool withSound,
                     const QByteArray& userLanguage, const CharacterService::Translation& translate);
    ~DesktopCharacter() override;

    // The file has been read: the character takes shape and starts on its queue.
    void setData(std::shared_ptr<const acs::Character> data);
    // The file could not be read: every request fails.
    void setBroken();

    void setLeft(int left) override;
    void setTop(int top) override;
    int Left() const override { return m_position.x(); }
    int Top() const override { return m_position.y(); }
    bool Visible() const override;
    CharacterRequestPtr Show(bool fast) override;
    CharacterRequestPtr Hide(bool fast) override;
    CharacterRequestPtr Speak(const QString& text, const QString& url) override;
    void StopAll(const QString& types) override;
    void setBalloonVisible(bool visible) override;
    bool BalloonVisible() const override { return m_balloonWanted; }

    // Null until the file has been read.
    const acs::Character* data() const { return m_data.get(); }
    CharacterWindow* window() const { return m_window.get(); }
    WordBalloon* balloon() const { return m_balloon.get(); }
    CharacterAnimator* animator() const { return m_animator; }
    // The request being worked on, or null.
    CharacterRequestPtr current() const { return m_current ? m_current->request : nullptr; }

signals:
    void dragged(int x, int y);

private:
    enum class Kind
    {
        Show,
        Hide,
        Speak
    };
    struct Job
    {
        Kind kind;
        bool fast = false;
        QString text;
        CharacterRequestPtr request;
    };
    // A speech under way: its times as far as they have come, and the sound not yet played.
    struct Speaking
    {
        Utterance times;
        QByteArray sound;
        bool started = false;
        bool complete = false;
        bool moreAsked = false;
        int playedMs = 0;
    };

    CharacterRequestPtr enqueue(Job job);
    void next();
    void begin(Job& job);
    void finish(int status);
    void received(const Utterance& part, bool last);
    void startSpeaking();
    void startSound(int sampleRate);
    void speechTick();
    void endSpeech();
    void stopSound();
    void restPose();
    void scheduleIdle();
    void idle();
    void placeBalloon();
    void hideBalloonLater();
    const acs::Animation* animationFor(const QString& state, const QString& fallback) const;

    QString m_name;
    std::shared_ptr<const acs::Character> m_data;
    bool m_broken = false;
    SpeechEngine& m_speech;
    bool m_withSound = false;
    const QByteArray& m_userLanguage;
    const CharacterService::Translation& m_translate;
    VoiceChoice m_voice;
    std::unique_ptr<CharacterWindow> m_window;
    std::unique_ptr<WordBalloon> m_balloon;
    CharacterAnimator* m_animator = nullptr;
    QPoint m_position;
    bool m_balloonWanted = true;
    std::deque<Job> m_queue;
    std::optional<Job> m_current;
    int m_utteranceId = 0;
    std::optional<Speaking> m_speaking;
    QElapsedTimer m_clock;
    QTimer m_speechTimer;
    QTimer m_idleTimer;
    QTimer m_balloonTimer;
    QTimer m_nextTimer;
    std::unique_ptr<QAudioSink> m_sound;
    QIODevice* m_soundOut = nullptr;
};

// The character service of the program: characters read from .acs files in its folders (on a
// thread of their own, so a large file never holds up the clock), shown in windows of their own,
// speaking through espeak-ng.
class DesktopCharacters final : public CharacterService
{
    Q_OBJECT

public:
    // `folders` are searched in order for a bare file name. `withSound` plays the voice on the
    // default audio output when there is one; without it the words are paced by time alone.
    DesktopCharacters(QStringList folders, std::unique_ptr<SpeechEngine> speech, bool withSound = true,
                      QObject* parent = nullptr);
    ~DesktopCharacters() override;

    bool canStart() const override;
    void setConnected(bool connected) override { m_connected = connected; }
    bool Connected() const override { return m_connected; }
    // The character is there at once; the request completes when its file has been read, or
    // fails (with LoadFailed) when it cannot be.
    CharacterRequestPtr Load(const QString& name, const QString& loadKey) override;
    AgentCharacter& Character(const QString& name) override;
    void Unload(const QString& name) override;
    bool isLoaded(const QString& name) const override;
    QString locate(const QString& loadKey) const override;
    void setLanguage(const QString& languageName, Translation translate) override;

    DesktopCharacter* loaded(const QString& name) const;

private:
    void read(const QString& name, quint64 ticket, const std::shared_ptr<const acs::Character>& data,
              const QString& error, const CharacterRequestPtr& request);

    QStringList m_folders;
    std::unique_ptr<SpeechEngine> m_speech;
    bool m_withSound = true;
    bool m_connected = false;
    QByteArray m_userLanguage;
    Translation m_translate = [](const QString& text) { return text; };
    std::map<QString, std::pair<quint64, std::unique_ptr<DesktopCharacter>>> m_characters;
    quint64 m_loads = 0;
    QThreadPool m_reading;
};

} // namespace character
