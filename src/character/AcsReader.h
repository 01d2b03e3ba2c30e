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
// bytes that are there, and every frame's drawing cost against its limit; a file that does not
// hold together throws AcsError.
Character readAcs(const QByteArray& bytes);

// A picture's palette indices, top row first, `width` bytes a row, and its outline data: as made
// in memory, or unpacked from what the file stored. Throws AcsError where that does not unpack
// (never for a picture readAcs gave).
QByteArray picturePixels(const Image& image);
QByteArray pictureRegion(const Image& image);

// Reads the file at `path` (at most MaxAcsFileSize bytes); throws AcsError.
Character readAcsFile(const QString& path);

} // namespace character::acs
