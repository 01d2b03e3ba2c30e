#pragma once

#include "support/MockedBus.h"

#include <QDBusMessage>
#include <gtest/gtest.h>

namespace fakes {

const QString kTimedated = QStringLiteral("org.freedesktop.timedate1");
const QString kPath = QStringLiteral("/org/freedesktop/timedate1");

// python-dbusmock's stand-in for systemd-timedated on a bus of the test's own; no real clock is
// set.
class FakeTimedated : public MockedBus
{
public:
    bool startService() { return MockedBus::startService("timedated", kTimedated); }
    // What SetTime does from now on (python, with `args` and `self`); empty: take the call.
    void setTimeDoes(const QString& code)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kTimedated, kPath, "org.freedesktop.DBus.Mock",
                                                           "AddMethod");
        call << kTimedated << QStringLiteral("SetTime") << QStringLiteral("xbb") << QString() << code;
        const QDBusMessage reply = bus->call(call);
        ASSERT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
    }
    QStringList calls() const { return MockedBus::calls("SetTime"); }
};

} // namespace fakes
