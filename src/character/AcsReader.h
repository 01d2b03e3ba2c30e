#pragma once

#include "character/AcsCharacter.h"

#include <QByteArray>
#include <QString>

namespace character::acs {

// The largest character file we read: the biggest characters ever made stay far below it, and a
// file beyond it is no character.
inline constexpr qint64 MaxAcsFileSize = 64ll * 1024 * 1024;
// Pictures larger than this (in either direction) are no character frames.
inline constexpr int MaxImageSide = 2048;

// Reads a character file held in memory. Every count, length and offset is checked against the
// bytes that are there; a file that does not hold together throws AcsError.
Character readAcs(const QByteArray& bytes);

// Reads the file at `path` (at most MaxAcsFileSize bytes); throws AcsError.
Character readAcsFile(const QString& path);

} // namespace character::acs
