#pragma once

#include <QString>
#include <QStringList>

namespace events {

// What the event editors need to know of the speaking desktop character.
class AgentCharacters
{
public:
    virtual ~AgentCharacters() = default;
    // Whether a character can be loaded and made to speak at all.
    virtual bool AgentAvailable() const = 0;
    // The names of the characters there are, each once, sorted.
    virtual QStringList FillCharacterList() const = 0;
    // The character that speaks now (the one saved with the settings).
    virtual QString AgentCharacter() const = 0;
};

// A desktop without the character: announcements are "not installed".
class NoAgentCharacters final : public AgentCharacters
{
public:
    bool AgentAvailable() const override { return false; }
    QStringList FillCharacterList() const override { return {}; }
    QString AgentCharacter() const override { return {}; }
};

} // namespace events
