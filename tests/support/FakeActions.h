#pragma once

#include "events/AgentAnnouncer.h"
#include "events/EventActions.h"
#include "support/FakePlatform.h"

namespace fakes {

// A character that notes what it was asked to say.
class RecordingAgent final : public events::AgentAnnouncer
{
public:
    struct Announcement
    {
        QString character, text;
        bool atSavedPlace;
        bool operator==(const Announcement&) const = default;
    };
    bool available = true;
    std::vector<Announcement> said;
    bool isAvailable() const override { return available; }
    void announce(const QString& character, const QString& text, bool atSavedPlace) override
    {
        said.push_back({character, text, atSavedPlace});
    }
};

// Event actions on the fake desktop: its boxes, shell, media player, folders and network, and an
// update-time command that only counts.
struct FakeActionWorld
{
    explicit FakeActionWorld(FakePlatform& platform) : fake(platform) {}

    FakePlatform& fake;
    RecordingAgent agent;
    int updates = 0;
    std::function<void()> whileUpdating; // runs "inside" the update, as its wait for the server would

    events::ActionServices services()
    {
        return {fake.messages,
                fake.shell,
                fake.media,
                agent,
                fake.folders,
                [this] { return fake.network.isConnected(); },
                [this] {
                    ++updates;
                    if (whileUpdating)
                        whileUpdating();
                }};
    }
};

} // namespace fakes
