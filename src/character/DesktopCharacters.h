#pragma once

#include "character/AcsCharacter.h"
#include "character/CharacterService.h"
#include "character/Speech.h"

#include <QElapsedTimer>
#include <QPoint>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <map>
#include <memory>

class QAudioSink;
class QBuffer;

namespace character {

class CharacterAnimator;
class CharacterWindow;
class WordBalloon;

// A character of ours on the desktop: its window, its balloon, its voice and the queue of its
// requests, worked off one after another on the UI thread by timers.
class DesktopCharacter final : public QObject, public AgentCharacter
{
    Q_OBJECT

public:
    DesktopCharacter(const QString& name, std::shared_ptr<const acs::Character> data, SpeechEngine& speech,
                     bool withSound);
    ~DesktopCharacter() override;

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

    CharacterWindow* window() const { return m_window.get(); }
    WordBalloon* balloon() const { return m_balloon.get(); }
    const acs::Character& data() const { return *m_data; }
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

    CharacterRequestPtr enqueue(Job job);
    void next();
    void begin(Job& job);
    void finish(int status);
    void startSpeaking(const Utterance& utterance);
    void speechTick();
    void endSpeech();
    void restPose();
    void scheduleIdle();
    void idle();
    void placeBalloon();
    void hideBalloonLater();
    const acs::Animation* animationFor(const QString& state, const QString& fallback) const;

    QString m_name;
    std::shared_ptr<const acs::Character> m_data;
    SpeechEngine& m_speech;
    bool m_withSound = false;
    VoiceChoice m_voice;
    std::unique_ptr<CharacterWindow> m_window;
    std::unique_ptr<WordBalloon> m_balloon;
    CharacterAnimator* m_animator = nullptr;
    QPoint m_position;
    bool m_balloonWanted = true;
    std::deque<Job> m_queue;
    std::optional<Job> m_current;
    int m_utteranceId = 0;
    Utterance m_utterance;
    QElapsedTimer m_clock;
    QTimer m_speechTimer;
    QTimer m_idleTimer;
    QTimer m_balloonTimer;
    QTimer m_nextTimer;
    std::unique_ptr<QBuffer> m_soundBuffer;
    std::unique_ptr<QAudioSink> m_sound;
};

// The character service of the program: characters read from .acs files in its folders, shown
// in windows of their own, speaking through espeak-ng.
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
    CharacterRequestPtr Load(const QString& name, const QString& loadKey) override;
    AgentCharacter& Character(const QString& name) override;
    void Unload(const QString& name) override;
    bool isLoaded(const QString& name) const override;

    DesktopCharacter* loaded(const QString& name) const;
    // Where a load key names a file: an absolute path as it is, else the first folder that has it.
    QString locate(const QString& loadKey) const;

private:
    QStringList m_folders;
    std::unique_ptr<SpeechEngine> m_speech;
    bool m_withSound = true;
    bool m_connected = false;
    std::map<QString, std::unique_ptr<DesktopCharacter>> m_characters;
};

} // namespace character
