#pragma once

#include "app/ClockTypes.h"

#include <QFont>
#include <functional>

class QPaintDevice;

namespace app {

// The caption's colour follows a hand drawn in 'Copy' mode (hour hand first), so the text
// matches what the user sees; otherwise any colour will do. `randomByte` gives 0..255.
TColor chooseCaptionColor(const HandStyle& hourHand, const HandStyle& minuteHand,
                          const std::function<int()>& randomByte);

// The largest of 12 ... 6 points at which `measuredText` fits into the picture's width less 10
// pixels (6 when none does, as always without a picture).
int chooseCaptionPointSize(QFont font, int pictureWidth, const QString& measuredText, QPaintDevice* device);

} // namespace app
