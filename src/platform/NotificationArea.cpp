#include "platform/NotificationArea.h"

#include <QSystemTrayIcon>

namespace platform {

bool QtNotificationArea::isAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

} // namespace platform
