#include "app/ScreenPositions.h"

namespace app {

std::optional<QPoint> screenPosition(int tag, QSize screen, QSize window)
{
    if (tag < 1 || tag > 9)
        return std::nullopt;
    const int column = (tag - 1) % 3;
    const int row = (tag - 1) / 3;
    const int spareX = screen.width() - window.width();
    const int spareY = screen.height() - window.height();
    const int xs[3] = {0, spareX / 2, spareX};
    const int ys[3] = {0, spareY / 2, spareY};
    return QPoint(xs[column], ys[row]);
}

} // namespace app
