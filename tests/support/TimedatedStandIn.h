#pragma once

#include "support/MockedBus.h"

#include <QDBusMessage>
#include <gtest/gtest.h>

namespace fakes {

// python-dbusmock's stand-in for systemd-timedated on a bus of the test's own; no real clock is
// set.
class TimedatedStandIn : public MockedBus
{
public:
    static inline const QString Service = QStringLiteral("org.freedesktop.timedate1");

    bool startService() { return MockedBus::startService("timedated", Service); }
    // What SetTime does from now on (python, with `args` and `self`); empty: take the call.
    void setTimeDoes(const QString& code)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            Service, QStringLiteral("/org/freedesktop/timedate1"), "org.freedesktop.DBus.Mock", "AddMethod");
        call << Service << QStringLiteral("SetTime") << QStringLiteral("xbb") << QString() << code;
        const QDBusMessage reply = bus->call(call);
        ASSERT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
    }
    // "SetTime <usec> <relative> <interactive>" for every call taken, in order.
    QStringList calls() const { return MockedBus::calls("SetTime"); }
    // The changes asked for, in microseconds.
    QList<qint64> changesAsked() const
    {
        QList<qint64> changes;
        for (const QString& call : calls())
            changes << call.section(u' ', 1, 1).toLongLong();
        return changes;
    }
};

} // namespace fakes
