#pragma once

#include "character/CharacterService.h"

#include <QStringList>

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace fakes {

class FakeCharacter;

// A character service that only takes notes. Every call is written to `log` ("Load merlin
// merlin.acs", "Show merlin 0", "Speak merlin Hello", ...). Requests stay pending until the test
// moves them on, or, with `autoComplete`, until the event loop next runs (as a real character
// would finish them while the program waits).
class FakeCharacterService final : public character::CharacterService
{
    Q_OBJECT

public:
    QStringList log;
    bool startable = true;
    bool autoComplete = false;
    std::set<QString> missingFiles; // load keys that fail to load at once
    std::set<QString> brokenFiles;  // load keys whose files turn out broken once the event loop runs

    bool canStart() const override { return startable; }
    void setConnected(bool connected) override;
    bool Connected() const override { return m_connected; }
    character::CharacterRequestPtr Load(const QString& name, const QString& loadKey) override;
    character::AgentCharacter& Character(const QString& name) override;
    void Unload(const QString& name) override;
    bool isLoaded(const QString& name) const override { return m_characters.count(name) != 0; }
    QString locate(const QString& loadKey) const override { return QStringLiteral("chars/") + loadKey; }

    FakeCharacter* character(const QString& name) const;
    // Every request made so far, oldest first.
    std::vector<character::CharacterRequestPtr> requests;
    // The user drags a character.
    void drag(const QString& name, int x, int y) { emit Move(name, x, y, MovedByUser); }

private:
    bool m_connected = false;
    std::map<QString, std::unique_ptr<FakeCharacter>> m_characters;
};

class FakeCharacter final : public character::AgentCharacter
{
public:
    FakeCharacter(FakeCharacterService& service, QString name) : m_service(service), m_name(std::move(name))
    {
    }

    void setLeft(int left) override;
    void setTop(int top) override;
    int Left() const override { return m_left; }
    int Top() const override { return m_top; }
    bool Visible() const override { return m_visible; }
    character::CharacterRequestPtr Show(bool fast) override;
    character::CharacterRequestPtr Hide(bool fast) override;
    character::CharacterRequestPtr Speak(const QString& text, const QString& url) override;
    void StopAll(const QString& types) override;
    void setBalloonVisible(bool visible) override;
    bool BalloonVisible() const override { return m_balloon; }

private:
    character::CharacterRequestPtr request(const QString& entry);

    FakeCharacterService& m_service;
    QString m_name;
    int m_left = 0;
    int m_top = 0;
    bool m_visible = false;
    bool m_balloon = true;
    std::vector<character::CharacterRequestPtr> m_open;
};

} // namespace fakes
