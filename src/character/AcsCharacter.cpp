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

void Character::indexAnimations()
{
    animationIndex.clear();
    animationIndex.reserve(qsizetype(animations.size()));
    // The first of a name wins, as a search from the start would find it.
    for (size_t i = animations.size(); i-- > 0;)
        animationIndex.insert(animations[i].name.toCaseFolded(), i);
}

const Animation* Character::animation(const QString& name) const
{
    if (!animationIndex.isEmpty()) {
        const auto found = animationIndex.constFind(name.toCaseFolded());
        return found == animationIndex.constEnd() ? nullptr : &animations[*found];
    }
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
