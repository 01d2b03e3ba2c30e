#pragma once

#include "timezones/TZClockSettings.h"

#include <QFont>

namespace clockface {
class TClockFace;
}

namespace timezones {

// Carrying the time-zone clock settings onto a face and back.

QFont toQFont(const TZFont& font);
// The font of a window that sets none of its own, as the time zones window: the zone clocks'
// font where tzclkset.dta names none.
TZFont windowFont();
// The font a face shows its text in, with its colour.
TZFont fontOf(const clockface::TClockFace& face);
void applyFont(clockface::TClockFace& face, const TZFont& font);

// Background colour, the three hands and whether the second hand shows.
void applyColorAndHands(clockface::TClockFace& face, const TZClockSettings& settings);

// Everything a face shows of the settings but its style, from the face: colour, hands, font
// and the text format's seconds and am/pm. The window size is left as it is.
void captureFace(const clockface::TClockFace& face, TZClockSettings& settings);

} // namespace timezones
