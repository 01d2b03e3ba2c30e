#pragma once

#include <QRect>

#include <cstdint>
#include <vector>

namespace character {

// The most rectangles a character window's outline is made of. A display server takes an outline
// in one request of limited size (X11: 256 KB without its big-requests extension, 8 bytes a
// rectangle), so a ragged outline is made coarser until it fits well below that.
inline constexpr int MaxOutlineRectangles = 4096;

// Pixels of one byte each, or one byte of each pixel (the alpha of 32-bit pixels): the pixel is
// clear where that byte is `clear`.
struct PixelPlane
{
    const uint8_t* bits = nullptr;
    qsizetype bytesPerLine = 0;
    int bytesPerPixel = 1;
    int width = 0;
    int height = 0;
    uint8_t clear = 0;
};

// The pixels that are not clear, as rectangles sorted by rows, then columns, in bands of equal
// height, no two touching side by side (what QRegion::setRects takes). Past `limit` rectangles,
// squares of 2, 4, 8 ... pixels count as one pixel that is there when any of theirs is, until the
// outline fits; it then covers a little more than the pixels. Empty when every pixel is clear.
std::vector<QRect> outlineOf(const PixelPlane& plane, int limit = MaxOutlineRectangles);

} // namespace character
