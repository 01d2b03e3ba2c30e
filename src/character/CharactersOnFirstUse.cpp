#include "character/CharactersOnFirstUse.h"

#include "character/CharacterFiles.h"

#include <optional>

namespace character {

namespace {

CharacterRequestPtr requestThat(int status)
{
    auto request = std::make_shared<CharacterRequest>();
    request->setStatus(status);
    return request;
}

} // namespace

class CharactersOnFirstUse::StandIn final : public AgentCharacter
{
public:
    StandIn(CharactersOnFirstUse& owner, QString name, QString loadKey)
        : m_owner(owner), m_name(std::move(name)), m_loadKey(std::move(loadKey))
    {
    }

    void setLeft(int left) override
    {
        m_left = left;
        if (m_real)
            m_real->setLeft(left);
    }
    void setTop(int top) override
    {
        m_top = top;
        if (m_real)
            m_real->setTop(top);
    }
    int Left() const override { return m_real ? m_real->Left() : m_left.value_or(0); }
    int Top() const override { return m_real ? m_real->Top() : m_top.value_or(0); }
    bool Visible() const override { return m_real && m_real->Visible(); }

    CharacterRequestPtr Show(bool fast) override
    {
        return real() ? m_real->Show(fast) : requestThat(RequestFailed);
    }
    // A character never shown has nothing to hide.
    CharacterRequestPtr Hide(bool fast) override
    {
        return m_real ? m_real->Hide(fast) : requestThat(RequestComplete);
    }
    CharacterRequestPtr Speak(const QString& text, const QString& url) override
    {
        return real() ? m_real->Speak(text, url) : requestThat(RequestFailed);
    }
    void StopAll(const QString& types) override
    {
        if (m_real)
            m_real->StopAll(types);
    }
    void setBalloonVisible(bool visible) override
    {
        m_balloonVisible = visible;
        if (m_real)
            m_real->setBalloonVisible(visible);
    }
    bool BalloonVisible() const override
    {
        return m_real ? m_real->BalloonVisible() : m_balloonVisible.value_or(true);
    }

    bool isReal() const { return m_real != nullptr; }

private:
    // The real character, loaded the first time one is needed; null when it cannot be.
    AgentCharacter* real()
    {
        if (m_real || m_failed)
            return m_real;
        m_failed = true;
        CharacterService* service = m_owner.service();
        if (!service)
            return nullptr;
        try {
            service->Load(m_name, m_loadKey);
            m_real = &service->Character(m_name);
        } catch (const CharacterLoadError& e) {
            m_owner.report(QString::fromUtf8(e.what()));
            return nullptr;
        }
        m_failed = false;
        if (m_left)
            m_real->setLeft(*m_left);
        if (m_top)
            m_real->setTop(*m_top);
        if (m_balloonVisible)
            m_real->setBalloonVisible(*m_balloonVisible);
        return m_real;
    }

    CharactersOnFirstUse& m_owner;
    QString m_name;
    QString m_loadKey;
    AgentCharacter* m_real = nullptr;
    bool m_failed = false;
    std::optional<int> m_left;
    std::optional<int> m_top;
    std::optional<bool> m_balloonVisible;
};

CharactersOnFirstUse::CharactersOnFirstUse(QStringList folders, Source source, QObject* parent)
    : CharacterService(parent), m_folders(std::move(folders)), m_source(std::move(source))
{
}

CharactersOnFirstUse::~CharactersOnFirstUse() = default;

bool CharactersOnFirstUse::canStart() const
{
    return m_service ? m_service->canStart() : m_source.available();
}

void CharactersOnFirstUse::setConnected(bool connected)
{
    m_connected = connected;
    if (m_service)
        m_service->setConnected(connected);
}

CharacterService* CharactersOnFirstUse::service()
{
    if (m_triedService)
        return m_service.get();
    m_triedService = true;
    QString why;
    m_service = m_source.load(m_folders, &why);
    if (!m_service) {
        report(why);
        return nullptr;
    }
    m_service->setConnected(m_connected);
    m_service->setLanguage(m_language, m_translate);
    connect(m_service.get(), &CharacterService::Move, this, &CharacterService::Move);
    connect(m_service.get(), &CharacterService::LoadFailed, this, &CharacterService::LoadFailed);
    return m_service.get();
}

void CharactersOnFirstUse::setLanguage(const QString& languageName, Translation translate)
{
    m_language = languageName;
    m_translate = std::move(translate);
    if (m_service)
        m_service->setLanguage(m_language, m_translate);
}

QString CharactersOnFirstUse::locate(const QString& loadKey) const
{
    return findCharacterFile(m_folders, loadKey);
}

CharacterRequestPtr CharactersOnFirstUse::Load(const QString& name, const QString& loadKey)
{
    if (m_characters.count(name))
        throw CharacterLoadError("a character of that name is loaded already");
    if (findCharacterFile(m_folders, loadKey).isEmpty())
        throw CharacterLoadError("no character file of that name");
    m_characters[name] = std::make_unique<StandIn>(*this, name, loadKey);
    return requestThat(RequestComplete);
}

AgentCharacter& CharactersOnFirstUse::Character(const QString& name)
{
    const auto found = m_characters.find(name);
    if (found == m_characters.end())
        throw CharacterLoadError("no character of that name is loaded");
    return *found->second;
}

void CharactersOnFirstUse::Unload(const QString& name)
{
    const auto found = m_characters.find(name);
    if (found == m_characters.end())
        return;
    const bool real = found->second->isReal();
    m_characters.erase(found);
    if (real)
        m_service->Unload(name);
}

void CharactersOnFirstUse::report(const QString& why) const
{
    if (m_source.failed)
        m_source.failed(why);
}

bool CharactersOnFirstUse::isLoaded(const QString& name) const
{
    return m_characters.count(name) != 0;
}

} // namespace character
