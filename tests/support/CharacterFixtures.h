#pragma once

#include "character/AcsCharacter.h"

#include <QString>

namespace fixtures {

// A small character that uses every kind of block the file format has: names in two languages,
// a voice with its extra data, a balloon, a palette, a tray icon, states, animations with
// branches, exits and mouths (one with region data), pictures with outlines, and a sound.
// `name` is its US English name.
character::acs::Character smallCharacter(const QString& name = QStringLiteral("Tester"));

// Writes `character` as `folder` + `fileName`; returns the full path.
QString writeCharacterFile(const QString& folder, const QString& fileName,
                           const character::acs::Character& character, bool compressed = true);

} // namespace fixtures
