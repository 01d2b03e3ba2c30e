#pragma once

#include <QIcon>

namespace timezones {

// A globe with its meridian and equator: the button that opens the time zones window.
QIcon globeIcon();

} // namespace timezones
