#pragma once

#include "character/CharacterService.h"
#include "events/AgentAnnouncer.h"
#include "events/AgentCharacters.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

namespace core {
class LocaleFormats;
} // namespace core
namespace platform {
class Clock;
class MessageBoxes;
struct ProgramFolders;
} // namespace platform

namespace events {

// The clock's agent settings, owned by the clock window's settings and lent here.
struct AgentSettings
{
    QString& AgentCharacter;
    QString& AgentFile;
    int& AgentLeft;
    int& AgentTop;
    const QString& Language; // the user's language, which a text whose words do not tell is spoken in
};

// Replaces the first occurrence of `token` (letter case counts) by `by`.
QString ReplaceFirst(const QString& text, const QString& token, const QString& by);
// "h:nn ampm": 3:05 PM, with the user's morning and afternoon designators.
QString AgentTimeText(const QTime& time, const core::LocaleFormats& locale);
// The user's long date format.
QString AgentDateText(const QDate& date, const core::LocaleFormats& locale);

// A text made ready to speak: the (translated) time and date tokens replaced, the first of each
// only, and the hide token taken out; `hide` tells whether it was there.
struct SpeechText
{
    QString text;
    bool hide = false;
};
SpeechText PrepareSpeech(const QString& text, const QDateTime& now, const core::LocaleFormats& locale);

// The folders that hold character files ("<folder>*.acs"): the program's character folder and
// the user's own ("chars/" in the user's data folder), each named only when it holds one.
QStringList AgentCharsMask(const platform::ProgramFolders& folders);
// The character names for a list: each file's name in lower case cut at ".acs", its first letter
// upper-cased (merlin.acs gives Merlin); sorted, each once. No masks, no names.
QStringList FillCharacterList(const QStringList& masks);

// Announcements by the desktop character: finding out at start whether the service is there,
// loading and unloading the current character, speaking a text with its tokens, and keeping the
// place the user has dragged the character to. The event actions and the event editors reach the
// character through here.
class AgentSpeech final : public QObject, public AgentAnnouncer, public AgentCharacters
{
    Q_OBJECT

public:
    // How long a wait for one request may take. The request waited for is a hide after every
    // other request was stopped: a hiding animation lasts a second or two; ten seconds leave a
    // slow machine ample room, and a service that never answers costs no more than that.
    static constexpr int DefaultWaitLimitMs = 10000;

    AgentSpeech(character::CharacterService& service, AgentSettings settings, const bool& shuttingDown,
                platform::MessageBoxes& messages, const platform::Clock& clock,
                const core::LocaleFormats& locale, const platform::ProgramFolders& folders);

    int waitLimitMs = DefaultWaitLimitMs;

    // Whether a character can be loaded and made to speak: known once Start has looked.
    bool AgentAvailable() const override { return m_available; }
    bool isAvailable() const override { return m_available; }
    QStringList FillCharacterList() const override;
    QString AgentCharacter() const override { return m_settings.AgentCharacter; }
    void announce(const QString& character, const QString& text, bool atSavedPlace) override
    {
        Announce(character, text, atSavedPlace);
    }

    // At the clock window's creation: is the service there, and then the current character.
    void Start();
    void LoadAgentCharacter();
    void UnloadAgentCharacter();
    // True when the request finished within the time limit. While the program shuts down no
    // messages are processed, so only a request that is finished already counts.
    bool WaitForAgentRequest(const character::CharacterRequestPtr& request);
    void AgentSpeak(const QString& text, bool hideBalloon);
    // An announcement: `character` becomes the current one (loaded when it is another), is
    // placed at the saved position when `moveToSavedPlace`, shown, and speaks `text`. Nothing
    // happens without the service or without a character name.
    void Announce(const QString& character, const QString& text, bool moveToSavedPlace);
    // At the clock window's close: the character is unloaded and the service let go.
    void Shutdown();

    character::AgentCharacter* loadedCharacter() const { return m_loaded; }
    character::CharacterRequestPtr lastSpeech() const { return m_lastSpeech; }
    character::CharacterService& service() const { return m_service; }

    // The service's notice that the user dragged a character.
    void Agent1Move(const QString& name, int x, int y, int cause);

private:
    // The user's language, and translations into it, for the service's voice and texts.
    void shareLanguage();
    // The current character's file turned out broken after its load began.
    void loadFailed(const QString& name);
    // The load error, naming the character and its file, once the event loop runs: at start the
    // clock shows first.
    void reportLoadError(bool fileFound);

    character::CharacterService& m_service;
    AgentSettings m_settings;
    const bool& m_shuttingDown;
    platform::MessageBoxes& m_messages;
    const platform::Clock& m_clock;
    const core::LocaleFormats& m_locale;
    const platform::ProgramFolders& m_folders;
    character::AgentCharacter* m_loaded = nullptr;
    character::CharacterRequestPtr m_lastSpeech;
    bool m_available = false;
};

} // namespace events
