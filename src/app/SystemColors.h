#pragma once

#include "app/ClockTypes.h"

#include <QColor>

namespace app {

// Turns a stored colour into a colour to draw with. System colours are looked up in the
// desktop's palette at the moment of drawing; the desktop background, which has no palette
// role, is a fixed colour.
QColor resolveColor(TColor color);

// The stored form of a plain colour.
TColor toTColor(const QColor& color);

bool isSystemColor(TColor color);

} // namespace app
