#include "character/Outline.h"

#include <algorithm>
#include <optional>

namespace character {

namespace {

// The runs of cells that hold a pixel, in one band of `cell` rows.
void runsOfBand(const PixelPlane& plane, int top, int cell, std::vector<int>& runs)
{
    runs.clear();
    const int columns = (plane.width + cell - 1) / cell;
    const int bottom = std::min(plane.height, top + cell);
    bool inRun = false;
    for (int column = 0; column < columns; ++column) {
        bool filled = false;
        const int left = column * cell;
        const int right = std::min(plane.width, left + cell);
        for (int y = top; y < bottom && !filled; ++y) {
            const uint8_t* p = plane.bits + qsizetype(y) * plane.bytesPerLine +
                               qsizetype(left) * plane.bytesPerPixel;
            for (int x = left; x < right; ++x, p += plane.bytesPerPixel)
                if (*p != plane.clear) {
                    filled = true;
                    break;
                }
        }
        if (filled != inRun)
            runs.push_back(std::min(plane.width, left));
        inRun = filled;
    }
    if (inRun)
        runs.push_back(plane.width);
}

// The outline at one cell size, or nothing once it needs more than `limit` rectangles.
std::optional<std::vector<QRect>> outlineAt(const PixelPlane& plane, int cell, int limit)
{
    std::vector<QRect> rects;
    std::vector<int> runs, previous;
    size_t bandStart = 0; // the first rectangle of the band being grown downwards
    for (int top = 0; top < plane.height; top += cell) {
        runsOfBand(plane, top, cell, runs);
        const int height = std::min(cell, plane.height - top);
        if (!runs.empty() && runs == previous) {
            for (size_t i = bandStart; i < rects.size(); ++i)
                rects[i].setHeight(rects[i].height() + height);
            continue;
        }
        bandStart = rects.size();
        for (size_t i = 0; i < runs.size(); i += 2)
            rects.emplace_back(runs[i], top, runs[i + 1] - runs[i], height);
        if (rects.size() > size_t(limit))
            return std::nullopt;
        std::swap(runs, previous);
    }
    return rects;
}

} // namespace

std::vector<QRect> outlineOf(const PixelPlane& plane, int limit)
{
    if (plane.width <= 0 || plane.height <= 0)
        return {};
    limit = std::max(limit, 1);
    // A grid of no more cells than `limit` needs no more rectangles than that: the loop ends
    // there at the latest.
    for (int cell = 1;; cell *= 2)
        if (auto rects = outlineAt(plane, cell, limit))
            return *std::move(rects);
}

} // namespace character
