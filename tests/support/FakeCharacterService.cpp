#include "support/FakeCharacterService.h"

#include <QTimer>

namespace fakes {

using character::CharacterRequest;
using character::CharacterRequestPtr;

void FakeCharacterService::setConnected(bool connected)
{
    m_connected = connected;
    log << QStringLiteral("Connected %1").arg(int(connected));
}

CharacterRequestPtr FakeCharacterService::Load(const QString& name, const QString& loadKey)
{
    log << QStringLiteral("Load %1 %2").arg(name, loadKey);
    if (m_characters.count(name) || missingFiles.count(loadKey))
        throw character::CharacterLoadError("cannot load");
    m_characters[name] = std::make_unique<FakeCharacter>(*this, name);
    if (brokenFiles.count(loadKey))
        QTimer::singleShot(0, this, [this, name] { emit LoadFailed(name, QStringLiteral("broken")); });
    auto done = std::make_shared<CharacterRequest>();
    done->setStatus(character::RequestComplete);
    return done;
}

character::AgentCharacter& FakeCharacterService::Character(const QString& name)
{
    if (!m_characters.count(name))
        throw character::CharacterLoadError("not loaded");
    return *m_characters.at(name);
}

void FakeCharacterService::Unload(const QString& name)
{
    log << QStringLiteral("Unload %1").arg(name);
    m_characters.erase(name);
}

FakeCharacter* FakeCharacterService::character(const QString& name) const
{
    const auto it = m_characters.find(name);
    return it == m_characters.end() ? nullptr : it->second.get();
}

CharacterRequestPtr FakeCharacter::request(const QString& entry)
{
    m_service.log << entry;
    auto r = std::make_shared<CharacterRequest>();
    m_service.requests.push_back(r);
    m_open.push_back(r);
    if (m_service.autoComplete) {
        QTimer::singleShot(0, [r] {
            if (r->Status() == character::RequestPending)
                r->setStatus(character::RequestComplete);
        });
    }
    return r;
}

void FakeCharacter::setLeft(int left)
{
    m_left = left;
    m_service.log << QStringLiteral("Left %1 %2").arg(m_name).arg(left);
}

void FakeCharacter::setTop(int top)
{
    m_top = top;
    m_service.log << QStringLiteral("Top %1 %2").arg(m_name).arg(top);
}

CharacterRequestPtr FakeCharacter::Show(bool fast)
{
    m_visible = true;
    return request(QStringLiteral("Show %1 %2").arg(m_name).arg(int(fast)));
}

CharacterRequestPtr FakeCharacter::Hide(bool fast)
{
    m_visible = false;
    return request(QStringLiteral("Hide %1 %2").arg(m_name).arg(int(fast)));
}

CharacterRequestPtr FakeCharacter::Speak(const QString& text, const QString&)
{
    return request(QStringLiteral("Speak %1 %2").arg(m_name, text));
}

void FakeCharacter::StopAll(const QString&)
{
    m_service.log << QStringLiteral("StopAll %1").arg(m_name);
    for (const CharacterRequestPtr& r : m_open)
        if (!r->finished())
            r->setStatus(character::RequestInterrupted);
    m_open.clear();
}

void FakeCharacter::setBalloonVisible(bool visible)
{
    m_balloon = visible;
    m_service.log << QStringLiteral("Balloon %1 %2").arg(m_name).arg(int(visible));
}

} // namespace fakes
