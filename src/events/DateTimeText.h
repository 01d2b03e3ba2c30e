#pragma once

#include "platform/DateTimeText.h"

namespace events {

// An event's date and time texts are written and read by the platform's locale-proof routines.
using platform::DateOrder;
using platform::DateTextFormat;
using platform::formatDateText;
using platform::formatTimeText;
using platform::parseDateText;
using platform::parseTimeText;

} // namespace events
