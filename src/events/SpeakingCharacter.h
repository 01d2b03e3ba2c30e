#pragma once

#include "events/AgentAnnouncer.h"
#include "events/AgentCharacters.h"
#include "events/AgentSpeech.h"

namespace events {

// The desktop character as the event actions and the event editors see it: what they ask of it
// goes to the clock's announcements.
class SpeakingCharacter final : public AgentAnnouncer, public AgentCharacters
{
public:
    explicit SpeakingCharacter(AgentSpeech& speech) : m_speech(speech) {}

    bool isAvailable() const override { return m_speech.AgentAvailable; }
    void announce(const QString& character, const QString& text, bool atSavedPlace) override
    {
        m_speech.Announce(character, text, atSavedPlace);
    }

    bool AgentAvailable() const override { return m_speech.AgentAvailable; }
    QStringList FillCharacterList() const override
    {
        return events::FillCharacterList(AgentCharsMask(m_speech.folders()));
    }
    QString AgentCharacter() const override { return m_speech.currentCharacter(); }

private:
    AgentSpeech& m_speech;
};

} // namespace events
