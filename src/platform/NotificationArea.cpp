#include "platform/NotificationArea.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QSystemTrayIcon>

namespace platform {

QtNotificationArea::QtNotificationArea() : m_available(QSystemTrayIcon::isSystemTrayAvailable())
{
    auto* watcher = new QDBusServiceWatcher(QStringLiteral("org.kde.StatusNotifierWatcher"),
                                            QDBusConnection::sessionBus(),
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &QtNotificationArea::recheck);

    // The xcb layer reports a new tray manager through its native interface; the signal exists
    // only there, so it is looked up by name and simply absent elsewhere (Wayland, offscreen).
    // QPlatformNativeInterface is a QObject and nothing else; its header is private to Qt.
    auto* native = reinterpret_cast<QObject*>(QGuiApplication::platformNativeInterface());
    if (native && native->metaObject()->indexOfSignal("systemTrayWindowChanged(QScreen*)") >= 0)
        connect(native, SIGNAL(systemTrayWindowChanged(QScreen*)), this, SLOT(recheck()));
}

bool QtNotificationArea::isAvailable() const
{
    return m_available;
}

void QtNotificationArea::recheck()
{
    const bool available = QSystemTrayIcon::isSystemTrayAvailable();
    if (available == m_available)
        return;
    m_available = available;
    emit availabilityChanged();
}

} // namespace platform
