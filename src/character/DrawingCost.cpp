#include "character/DrawingCost.h"

#include <algorithm>

namespace character::acs {

namespace {

qint64 coveredPixels(const Character& c, uint32_t index, int x, int y)
{
    const Image& img = c.images[index];
    const qint64 width = std::min<qint64>(x + img.width, c.width) - std::max(x, 0);
    const qint64 height = std::min<qint64>(y + img.height, c.height) - std::max(y, 0);
    return width > 0 && height > 0 ? width * height : 0;
}

} // namespace

qint64 frameDrawingCost(const Character& character, const Frame& frame)
{
    qint64 cost = 0;
    for (const FrameImage& layer : frame.images)
        cost += coveredPixels(character, layer.image, layer.x, layer.y);
    qint64 mouth = 0;
    for (const MouthOverlay& m : frame.mouths)
        mouth = std::max(mouth, coveredPixels(character, m.image, m.x, m.y));
    return cost + mouth;
}

void checkDrawingCost(const Character& character)
{
    for (const Animation& a : character.animations) {
        qint64 total = 0;
        for (const Frame& f : a.frames) {
            const qint64 cost = frameDrawingCost(character, f);
            if (cost > MaxFrameDrawingCost)
                throw AcsError("a frame costs too much to draw");
            total += cost;
            if (total > MaxAnimationDrawingCost)
                throw AcsError("an animation costs too much to draw");
        }
    }
}

} // namespace character::acs
