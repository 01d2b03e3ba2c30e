// libFuzzer target: the character file reader must answer any bytes with a character or its one
// error, without reading out of bounds, hanging or unpacking more than a character needs. What
// it accepts is then drawn as far as a file decides: each frame's drawing cost within its limit,
// and each picture's outline within the rectangles a display server takes.
#include "acs/AcsWriter.h"
#include "character/AcsReader.h"
#include "character/DrawingCost.h"
#include "character/Outline.h"

#include <cstddef>
#include <cstdint>

using namespace character::acs;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const Character c = readAcs(bytes);
        for (const Animation& a : c.animations)
            for (const Frame& f : a.frames)
                if (frameDrawingCost(c, f) > MaxFrameDrawingCost)
                    __builtin_trap();
        qsizetype pixels = 0;
        for (const Image& image : c.images)
            pixels += qsizetype(image.width) * image.height;
        // The larger characters differ only in size; the smaller ones keep the run fast.
        if (pixels > 256 * 1024)
            return 0;
        for (const Image& image : c.images) {
            const QByteArray indices = picturePixels(image);
            const auto* bits = reinterpret_cast<const uint8_t*>(indices.constData());
            const std::vector<QRect> outline = character::outlineOf(
                {bits, image.width, 1, image.width, image.height, c.transparentIndex}, 64);
            const QRect whole(0, 0, image.width, image.height);
            if (outline.size() > 64)
                __builtin_trap();
            for (const QRect& r : outline)
                if (r.isEmpty() || !whole.contains(r))
                    __builtin_trap();
        }
        // What was read writes out and reads back alike.
        const Character again = readAcs(acswriter::writeAcs(c));
        if (again.images.size() != c.images.size() || again.animations.size() != c.animations.size())
            __builtin_trap();
        for (size_t i = 0; i < c.images.size(); ++i)
            if (picturePixels(again.images[i]) != picturePixels(c.images[i]))
                __builtin_trap();
    } catch (const AcsError&) {
    }
    return 0;
}
