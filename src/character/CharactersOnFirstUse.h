#pragma once

#include "character/CharacterService.h"

#include <QStringList>

#include <functional>
#include <map>
#include <memory>

namespace character {

// The character service of the program, loaded when a character is first shown or heard. At
// start only the character's file is looked for, so a run that announces nothing never loads the
// characters' windows, voice and sound. A character loaded here stands in for the real one: it
// keeps its place and balloon setting until the real one is there, and hands everything on after.
class CharactersOnFirstUse final : public CharacterService
{
    Q_OBJECT

public:
    struct Source
    {
        // Whether the real service can be had here, answered without loading it.
        std::function<bool()> available;
        // The real service, searching `folders`; null, and why, when it cannot be had.
        std::function<std::unique_ptr<CharacterService>(const QStringList& folders, QString* why)> load;
        // Told when the real service (once) or a character (once each) fails to load, and why.
        std::function<void(const QString& why)> failed;
    };

    // `folders` are searched in order for a character's file, as the real service searches them.
    CharactersOnFirstUse(QStringList folders, Source source, QObject* parent = nullptr);
    ~CharactersOnFirstUse() override;

    bool canStart() const override;
    void setConnected(bool connected) override;
    bool Connected() const override { return m_connected; }
    // Throws CharacterLoadError when no file of the name is found or the name is taken; a file
    // that turns out broken is told to `failed` when the character is first shown or heard.
    CharacterRequestPtr Load(const QString& name, const QString& loadKey) override;
    AgentCharacter& Character(const QString& name) override;
    void Unload(const QString& name) override;
    bool isLoaded(const QString& name) const override;
    QString locate(const QString& loadKey) const override;
    // Kept for the real service, and handed on to it.
    void setLanguage(const QString& languageName, Translation translate) override;

    // The real service, loaded now if it is not yet; null when it cannot be had.
    CharacterService* service();

private:
    class StandIn;

    void report(const QString& why) const;

    QStringList m_folders;
    Source m_source;
    bool m_connected = false;
    QString m_language;
    Translation m_translate;
    bool m_triedService = false;
    std::unique_ptr<CharacterService> m_service;
    // After the service: a stand-in goes before the real character it hands on to.
    std::map<QString, std::unique_ptr<StandIn>> m_characters;
};

} // namespace character
