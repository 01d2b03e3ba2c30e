// The desktop character plugin: the characters' windows, balloons and animation, and their voice
// by espeak-ng, loaded by the program when a character is first shown or heard.
#include "character/CharacterPlugin.h"
#include "character/DesktopCharacters.h"
#include "character/Speech.h"

#include <QObject>

namespace character {

class DesktopCharactersPlugin final : public QObject, public CharacterPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VESKEL_CHARACTER_PLUGIN_IID)
    Q_INTERFACES(character::CharacterPlugin)

public:
    std::unique_ptr<CharacterService> createCharacters(const QStringList& folders) override
    {
        return std::make_unique<DesktopCharacters>(folders, std::make_unique<EspeakSpeech>());
    }
};

} // namespace character

#include "DesktopCharactersPlugin.moc"
