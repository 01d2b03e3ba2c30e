#include "platform/SystemClockSetter.h"
#include "support/MockedBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <gtest/gtest.h>
#include <optional>

using platform::ClockSetter;
using platform::SystemClockSetter;
using Answer = SystemClockSetter::TimedatedAnswer;

namespace {

const QString kTimedated = QStringLiteral("org.freedesktop.timedate1");
const QString kPath = QStringLiteral("/org/freedesktop/timedate1");

// python-dbusmock's stand-in for systemd-timedated on a bus of the test's own; no real clock is
// set.
class FakeTimedated : public fakes::MockedBus
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

QString raising(const char* errorName)
{
    return QStringLiteral("raise dbus.exceptions.DBusException('refused', name='%1')").arg(errorName);
}

} // namespace

TEST(SystemClockSetter, AsksTimedatedOverDBusAndTellsItsAnswersApart)
{
    FakeTimedated timedated;
    if (!timedated.ready())
        GTEST_SKIP() << timedated.skipReason.toStdString();
    ASSERT_TRUE(timedated.startService());

    QList<qint64> direct;
    SystemClockSetter setter(*timedated.bus, [&direct](qint64 deltaMs) {
        direct << deltaMs;
        return true;
    });
    const QDateTime inAnHour = QDateTime::currentDateTime().addSecs(3600);

    // Granted: a relative change in microseconds, with interactive authorisation.
    EXPECT_EQ(setter.setLocalTime(inAnHour), ClockSetter::Result::Set);
    QStringList calls = timedated.calls();
    ASSERT_EQ(calls.size(), 1);
    const QStringList args = calls[0].split(' ');
    ASSERT_EQ(args.size(), 4) << calls[0].toStdString();
    EXPECT_EQ(args[0], "SetTime");
    EXPECT_NEAR(args[1].toLongLong() / 1e6, 3600.0, 2.0);
    EXPECT_EQ(args[2], "True"); // relative: a slow password costs no seconds
    EXPECT_EQ(args[3], "True"); // interactive: polkit may ask the user

    // The system keeps its own time.
    timedated.setTimeDoes(raising("org.freedesktop.timedate1.AutomaticTimeSyncEnabled"));
    EXPECT_EQ(setter.setLocalTime(inAnHour), ClockSetter::Result::AutomaticSyncOn);
    // polkit said no, or the user cancelled its question.
    timedated.setTimeDoes(raising("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"));
    EXPECT_EQ(setter.setLocalTime(inAnHour), ClockSetter::Result::Refused);
    timedated.setTimeDoes(raising("org.freedesktop.DBus.Error.AccessDenied"));
    EXPECT_EQ(setter.setLocalTime(inAnHour), ClockSetter::Result::Refused);
    EXPECT_TRUE(direct.isEmpty()) << "a refusal by timedated is final";

    // No timedated on the bus: the clock is set directly, where the process may.
    timedated.stopService();
    EXPECT_EQ(setter.setLocalTime(inAnHour), ClockSetter::Result::Set);
    ASSERT_EQ(direct.size(), 1);
    EXPECT_NEAR(direct[0] / 1e3, 3600.0, 2.0);
    SystemClockSetter withoutRight(*timedated.bus, [](qint64) { return false; });
    EXPECT_EQ(withoutRight.setLocalTime(inAnHour), ClockSetter::Result::Refused);
}

TEST(SystemClockSetter, WithoutABusTheClockIsSetDirectly)
{
    QDBusConnection nowhere = QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                                            QStringLiteral("veskel-test-nowhere"));
    ASSERT_FALSE(nowhere.isConnected());
    qint64 asked = 0;
    SystemClockSetter setter(nowhere, [&asked](qint64 deltaMs) {
        asked = deltaMs;
        return true;
    });
    EXPECT_EQ(setter.setLocalTime(QDateTime::currentDateTime().addSecs(-30)), ClockSetter::Result::Set);
    EXPECT_NEAR(asked / 1e3, -30.0, 2.0);
    QDBusConnection::disconnectFromBus(nowhere.name());
}

TEST(SystemClockSetter, ErrorNamesMeanWhatTheySay)
{
    EXPECT_EQ(SystemClockSetter::classifyError("org.freedesktop.timedate1.AutomaticTimeSyncEnabled"),
              Answer::AutomaticSyncOn);
    for (const char* absent :
         {"org.freedesktop.DBus.Error.ServiceUnknown", "org.freedesktop.DBus.Error.NameHasNoOwner",
          "org.freedesktop.DBus.Error.Spawn.ChildExited", "org.freedesktop.DBus.Error.NoServer"})
        EXPECT_EQ(SystemClockSetter::classifyError(absent), Answer::Unreachable) << absent;
    for (const char* refusal :
         {"org.freedesktop.DBus.Error.AccessDenied",
          "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired", "org.freedesktop.DBus.Error.NoReply",
          "org.freedesktop.DBus.Error.InvalidArgs", ""})
        EXPECT_EQ(SystemClockSetter::classifyError(refusal), Answer::Refused) << refusal;
}
