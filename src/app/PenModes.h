#pragma once

#include "app/ClockTypes.h"

#include <QPainter>
#include <QStringList>

namespace app {

// The painter composition mode that combines pen and bitmap bits as the pen mode says. 'Nop'
// leaves the bitmap alone; callers skip drawing for it (see drawsNothing).
QPainter::CompositionMode compositionModeFor(int penMode);
bool drawsNothing(int penMode);

// 'Black' ... 'NotXor', in the order of the mode list.
const QStringList& penModeNames();

} // namespace app
