#pragma once

#include "character/AcsCharacter.h"
#include "character/AcsReader.h"

namespace character::acs {

// Drawing a frame paints each of its pictures, layer after layer, pixel by pixel where it falls on
// the character: its cost is those pixels, counted once for every layer, and those of its largest
// mouth (speech lays one on). A frame may cost eight layers of the largest character; one play of
// an animation through all its frames, 256 of them. The worst frame a file may ask for then takes
// some tens of milliseconds to draw, not minutes.
inline constexpr qint64 MaxFrameDrawingCost = 8ll * MaxImageSide * MaxImageSide;
inline constexpr qint64 MaxAnimationDrawingCost = 256ll * MaxImageSide * MaxImageSide;

// Every picture a frame names must be there (the reader has made sure).
qint64 frameDrawingCost(const Character& character, const Frame& frame);
// Throws AcsError for a frame or an animation beyond its limit.
void checkDrawingCost(const Character& character);

} // namespace character::acs
