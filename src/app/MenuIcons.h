#pragma once

#include <QIcon>

#include <functional>

class QPainter;

namespace app {

// An icon drawn by `draw` on a `size` x `size` canvas, at single and double scale.
QIcon drawnIcon(int size, const std::function<void(QPainter&)>& draw);

// The small pictures of the clock's menu, drawn rather than shipped so they stay sharp at every
// scale: configure, time zones, the nine screen positions (a screen with the clock's place on
// it), exit, help and About.
enum class MenuPicture
{
    Configure,
    TimeZones,
    Exit,
    Help,
    About
};
QIcon menuIcon(MenuPicture picture);
QIcon screenPositionIcon(int tag);

} // namespace app
