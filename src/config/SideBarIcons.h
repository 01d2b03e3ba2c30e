#pragma once

#include <QIcon>

namespace config {

// The 32 x 32 pictures of the configuration dialog's side bar, in its order: appearance,
// events, time adjustment, time zones.
QIcon sideBarIcon(int item);

} // namespace config
