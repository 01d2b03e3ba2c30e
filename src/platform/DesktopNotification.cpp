#include "platform/DesktopNotification.h"

#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace platform {

bool notifyDesktop(const QString& summary, const QString& body, const QDBusConnection& bus)
{
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // The body may be read as markup: a file name is shown as it is, never as markup.
    call << QStringLiteral("Veskel") << uint(0) << QStringLiteral("veskel") << summary << body.toHtmlEscaped()
         << QStringList() << QVariantMap() << int(-1);
    // At the end of a session the service may be gone already; the end does not wait long for it.
    return bus.call(call, QDBus::Block, 3000).type() == QDBusMessage::ReplyMessage;
}

} // namespace platform
