#include "character/AcsCharacter.h"

namespace character::acs {

const MouthOverlay* Frame::mouth(MouthShape shape) const
{
    for (const MouthOverlay& m : mouths)
        if (m.shape == shape)
            return &m;
    return nullptr;
}

QString Character::name() const
{
    for (const LocalizedInfo& info : localized)
        if (info.languageId == 0x0409)
            return info.name;
    return localized.empty() ? QString() : localized.front().name;
}

const Animation* Character::animation(const QString& name) const
{
    for (const Animation& a : animations)
        if (a.name.compare(name, Qt::CaseInsensitive) == 0)
            return &a;
    return nullptr;
}

std::vector<const Animation*> Character::stateAnimations(const QString& state) const
{
    std::vector<const Animation*> found;
    for (const StateInfo& s : states) {
        if (s.name.compare(state, Qt::CaseInsensitive) != 0)
            continue;
        for (const QString& name : s.animations)
            if (const Animation* a = animation(name))
                found.push_back(a);
    }
    return found;
}

} // namespace character::acs
