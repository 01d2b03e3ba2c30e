#pragma once

#include <QObject>

namespace platform {

// Whether the desktop has a notification area (system tray) for the clock's icon, and word when
// that changes: a panel started after the clock at log-on brings its tray late, and a panel
// that restarts takes it away for a while. Without one, the clock keeps its window and taskbar
// entry so it can always be reached.
class NotificationArea : public QObject
{
    Q_OBJECT

public:
    virtual bool isAvailable() const = 0;

signals:
    // The tray came or went; ask isAvailable() which.
    void availabilityChanged();
};

// Follows the tray on both roads Qt's icon takes: the StatusNotifierItem watcher on the session
// bus, and on X11 the owner of the tray selection (the panel's announcement that it manages the
// tray reaches Qt's xcb layer, which passes it on).
class QtNotificationArea final : public NotificationArea
{
    Q_OBJECT

public:
    QtNotificationArea();
    bool isAvailable() const override;

private slots:
    void recheck();

private:
    bool m_available = false;
};

} // namespace platform
