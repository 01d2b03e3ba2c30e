#pragma once

#include "app/ClockTypes.h"
#include "platform/Colors.h"

namespace app {

using platform::isSystemColor;
using platform::resolveColor;
using platform::toTColor;

} // namespace app
