#pragma once

#include "character/AcsCharacter.h"

#include <QString>

namespace fixtures {

// A small character that uses every kind of block the file format has: names in two languages,
// a voice with its extra data, a balloon, a palette, a tray icon, states, animations with
// branches, exits and mouths (one with region data), pictures with outlines, and a sound.
// `name` is its US English name.
character::acs::Character smallCharacter(const QString& name = QStringLiteral("Tester"));

// Characters that ask for the most a file can, made of `side` x `side` pictures:
// one picture every other pixel of which is clear (the most ragged outline there is);
character::acs::Character checkerboardCharacter(int side);
// one frame that stacks one picture `layers` times;
character::acs::Character stackedCharacter(int side, int layers);
// `count` different pictures, a frame each.
character::acs::Character picturesCharacter(int side, int count);

// Writes `character` as `folder` + `fileName`; returns the full path.
QString writeCharacterFile(const QString& folder, const QString& fileName,
                           const character::acs::Character& character, bool compressed = true);

} // namespace fixtures
