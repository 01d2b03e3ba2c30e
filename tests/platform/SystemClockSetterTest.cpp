#include "platform/SystemClockSetter.h"
#include "support/TimedatedStandIn.h"

#include <gtest/gtest.h>

using platform::ClockSetter;
using platform::SystemClockSetter;
using Answer = SystemClockSetter::TimedatedAnswer;

namespace {

QString raising(const char* errorName)
{
    return QStringLiteral("raise dbus.exceptions.DBusException('refused', name='%1')").arg(errorName);
}

} // namespace

TEST(SystemClockSetter, AsksTimedatedOverDBusAndTellsItsAnswersApart)
{
    fakes::TimedatedStandIn timedated;
    if (!timedated.ready())
        GTEST_SKIP() << timedated.skipReason.toStdString();
    ASSERT_TRUE(timedated.startService());

    QList<qint64> direct;
    SystemClockSetter setter(*timedated.bus, [&direct](qint64 deltaMs) {
        direct << deltaMs;
        return true;
    });
    const qint64 inAnHour = 3600000;

    // Granted: a relative change in microseconds, with interactive authorisation.
    EXPECT_EQ(setter.changeBy(inAnHour), ClockSetter::Result::Set);
    QStringList calls = timedated.calls();
    ASSERT_EQ(calls.size(), 1);
    const QStringList args = calls[0].split(' ');
    ASSERT_EQ(args.size(), 4) << calls[0].toStdString();
    EXPECT_EQ(args[0], "SetTime");
    EXPECT_EQ(args[1], "3600000000");
    EXPECT_EQ(args[2], "True"); // relative: a slow password costs no seconds
    EXPECT_EQ(args[3], "True"); // interactive: polkit may ask the user

    // The system keeps its own time.
    timedated.setTimeDoes(raising("org.freedesktop.timedate1.AutomaticTimeSyncEnabled"));
    EXPECT_EQ(setter.changeBy(inAnHour), ClockSetter::Result::AutomaticSyncOn);
    // polkit said no, or the user cancelled its question.
    timedated.setTimeDoes(raising("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"));
    EXPECT_EQ(setter.changeBy(inAnHour), ClockSetter::Result::Refused);
    timedated.setTimeDoes(raising("org.freedesktop.DBus.Error.AccessDenied"));
    EXPECT_EQ(setter.changeBy(inAnHour), ClockSetter::Result::Refused);
    EXPECT_TRUE(direct.isEmpty()) << "a refusal by timedated is final";

    // No timedated on the bus: the clock is set directly, where the process may.
    timedated.stopService();
    EXPECT_EQ(setter.changeBy(inAnHour), ClockSetter::Result::Set);
    ASSERT_EQ(direct.size(), 1);
    EXPECT_EQ(direct[0], inAnHour);
    SystemClockSetter withoutRight(*timedated.bus, [](qint64) { return false; });
    EXPECT_EQ(withoutRight.changeBy(inAnHour), ClockSetter::Result::Refused);
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
    EXPECT_EQ(setter.changeBy(-30000), ClockSetter::Result::Set);
    EXPECT_EQ(asked, -30000);
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
