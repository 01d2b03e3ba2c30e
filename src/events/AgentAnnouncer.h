#pragma once

#include <QString>

namespace events {

// What an agent action asks of the desktop character. The character facility plugs in here;
// without one nothing is available and an agent action does nothing.
class AgentAnnouncer
{
public:
    virtual ~AgentAnnouncer() = default;
    // Whether a character can be shown at all.
    virtual bool isAvailable() const = 0;
    // Makes `character` the current character (the one before is unloaded and this one loaded
    // when the names differ, letter case counting), shows it at its saved place when
    // `atSavedPlace` and else where it stands, and has it speak `text`, its balloon hidden after.
    virtual void announce(const QString& character, const QString& text, bool atSavedPlace) = 0;
};

// No character facility: nothing is available.
class NoAgent final : public AgentAnnouncer
{
public:
    bool isAvailable() const override { return false; }
    void announce(const QString&, const QString&, bool) override {}
};

} // namespace events
