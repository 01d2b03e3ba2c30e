#pragma once

#include "character/AcsCharacter.h"

#include <QByteArray>

namespace acswriter {

// Packs bytes into the bit-stream compression of character files (the reverse of
// character::acs::decompress): literals and back-references found by a small hash chain.
QByteArray compress(const QByteArray& data);

struct WriteOptions
{
    bool compressImages = true;
    bool compressRegions = true;
};

// Writes a character file: the header's four locators, the character block with its names,
// the animation list, the image list and the sound list, each entry in a block of its own.
// Images are given top row first, `width` bytes a row; they are stored bottom row first with
// rows padded to four bytes, as the format wants.
QByteArray writeAcs(const character::acs::Character& character, const WriteOptions& options = {});

// The region data of an image: one rectangle per run of opaque pixels in a row.
QByteArray regionOf(const character::acs::Image& image, uint8_t transparentIndex);

} // namespace acswriter
