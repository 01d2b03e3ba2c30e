#include "platform/SystemZoneWatch.h"
#include "support/TimedatedStandIn.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(SystemZoneWatch, TellsOnceOfTheZoneFileReplacedAndOfTimedatedsNewZone)
{
    QTemporaryDir dir;
    const QString zoneFile = dir.filePath("localtime");
    ASSERT_TRUE(QFile::link("/usr/share/zoneinfo/Europe/Berlin", zoneFile));
    fakes::TimedatedStandIn timedated;
    const bool withTimedated = timedated.ready() && timedated.startService();
    QDBusConnection nowhere = QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                                            QStringLiteral("veskel-test-no-zone-bus"));
    platform::DesktopSystemZoneWatch watch(withTimedated ? *timedated.bus : nowhere, zoneFile);
    QSignalSpy told(&watch, &platform::SystemZoneWatch::changed);

    // Replaced the way tools do it: a new link renamed over the old one, twice.
    for (const char* zone : {"Asia/Tokyo", "America/Anchorage"}) {
        const QString next = dir.filePath("localtime.new");
        ASSERT_TRUE(QFile::link(QStringLiteral("/usr/share/zoneinfo/") + zone, next));
        ASSERT_EQ(::rename(QFile::encodeName(next).constData(), QFile::encodeName(zoneFile).constData()), 0);
        const qsizetype before = told.count();
        EXPECT_TRUE(QTest::qWaitFor([&] { return told.count() == before + 1; }, 5000)) << zone;
    }
    // Other files of the folder are no sign.
    QFile other(dir.filePath("adjtime"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("0.0 0 0.0\n");
    other.close();
    QTest::qWait(3 * platform::DesktopSystemZoneWatch::SettleMs);
    EXPECT_EQ(told.count(), 2);
    QDBusConnection::disconnectFromBus(nowhere.name());

    if (!withTimedated)
        GTEST_SKIP() << "timedated's stand-in: " << timedated.skipReason.toStdString();
    QDBusMessage call = QDBusMessage::createMethodCall(
        fakes::TimedatedStandIn::Service, QStringLiteral("/org/freedesktop/timedate1"),
        fakes::TimedatedStandIn::Service, QStringLiteral("SetTimezone"));
    call << QStringLiteral("Asia/Kolkata") << false;
    ASSERT_NE(timedated.bus->call(call).type(), QDBusMessage::ErrorMessage);
    EXPECT_TRUE(QTest::qWaitFor([&] { return told.count() == 3; }, 5000));
}
