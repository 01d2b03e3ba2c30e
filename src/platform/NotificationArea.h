#pragma once

namespace platform {

// Whether the desktop has a notification area (system tray) for the clock's icon. Without one,
// the clock keeps its window and taskbar entry so it can always be reached.
class NotificationArea
{
public:
    virtual ~NotificationArea() = default;
    virtual bool isAvailable() const = 0;
};

class QtNotificationArea final : public NotificationArea
{
public:
    bool isAvailable() const override;
};

} // namespace platform
