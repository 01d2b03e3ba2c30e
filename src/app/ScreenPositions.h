#pragma once

#include <QPoint>
#include <QSize>
#include <optional>

namespace app {

// The nine places of the "Screen Position" menu, tags 1 (top left) to 9 (bottom right), on the
// whole primary screen. Any other tag gives no place.
std::optional<QPoint> screenPosition(int tag, QSize screen, QSize window);

} // namespace app
