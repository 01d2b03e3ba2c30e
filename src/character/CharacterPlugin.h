#pragma once

#include "character/CharacterService.h"

#include <QStringList>
#include <QtPlugin>
#include <memory>

namespace character {

// What the desktop character plugin offers: the character service, with its windows and voice,
// finding character files in `folders` (searched in order).
class CharacterPlugin
{
public:
    virtual ~CharacterPlugin() = default;
    virtual std::unique_ptr<CharacterService> createCharacters(const QStringList& folders) = 0;
};

} // namespace character

#define VESKEL_CHARACTER_PLUGIN_IID "com.palvaro.Veskel.CharacterPlugin/1"
Q_DECLARE_INTERFACE(character::CharacterPlugin, VESKEL_CHARACTER_PLUGIN_IID)
