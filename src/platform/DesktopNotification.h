#pragma once

#include <QDBusConnection>
#include <QString>

namespace platform {

// A short note through the desktop's notification service, for what the user must hear when the
// clock has no window left to say it in (as it ends). False when no service took it.
bool notifyDesktop(const QString& summary, const QString& body,
                   const QDBusConnection& bus = QDBusConnection::sessionBus());

} // namespace platform
