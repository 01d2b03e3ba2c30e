// libFuzzer target: the character file reader must answer any bytes with a character or its one
// error, without reading out of bounds, hanging or unpacking more than a character needs.
#include "acs/AcsWriter.h"
#include "character/AcsReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const character::acs::Character c = character::acs::readAcs(bytes);
        qsizetype pixels = 0;
        for (const auto& image : c.images)
            pixels += image.pixels.size();
        // What was read writes out and reads back alike (checked on the smaller characters,
        // which keeps the run fast; the large ones differ only in size).
        if (pixels > 256 * 1024)
            return 0;
        const character::acs::Character again = character::acs::readAcs(acswriter::writeAcs(c));
        if (again.images.size() != c.images.size() || again.animations.size() != c.animations.size())
            __builtin_trap();
        for (size_t i = 0; i < c.images.size(); ++i)
            if (again.images[i].pixels != c.images[i].pixels)
                __builtin_trap();
    } catch (const character::acs::AcsError&) {
    }
    return 0;
}
