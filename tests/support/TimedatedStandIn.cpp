#include "support/TimedatedStandIn.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

namespace fakes {

namespace {

const QString kTimedated = QStringLiteral("org.freedesktop.timedate1");

} // namespace

TimedatedStandIn::TimedatedStandIn()
{
    const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
    m_python = QStandardPaths::findExecutable("python3", {"/usr/bin"});
    if (daemon.isEmpty() || m_python.isEmpty()) {
        skipReason = "dbus-daemon or /usr/bin/python3 is missing";
        return;
    }
    if (QProcess::execute(m_python, {"-c", "import dbusmock"}) != 0) {
        skipReason = "python3-dbusmock is not installed";
        return;
    }
    m_daemon.start(daemon, {"--session", "--nofork", "--nopidfile", "--print-address=1"});
    if (!m_daemon.waitForStarted() || !m_daemon.waitForReadyRead(10000)) {
        skipReason = "the private dbus-daemon did not start";
        return;
    }
    address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    bus.emplace(QDBusConnection::connectToBus(address, QStringLiteral("veskel-test-") + address));
    if (!bus->isConnected())
        skipReason = "the private bus cannot be reached";
}

TimedatedStandIn::~TimedatedStandIn()
{
    stopService();
    if (bus)
        QDBusConnection::disconnectFromBus(bus->name());
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }
}

bool TimedatedStandIn::startService()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", address);
    m_service.setProcessEnvironment(env);
    m_service.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_service.start(m_python,
                    {"-m", "dbusmock", "--session", "-t", "timedated", "-l", m_dir.filePath("calls.log")});
    return QTest::qWaitFor([&] { return bus->interface()->isServiceRegistered(kTimedated).value(); }, 10000);
}

void TimedatedStandIn::stopService()
{
    if (m_service.state() == QProcess::NotRunning)
        return;
    m_service.terminate();
    m_service.waitForFinished(5000);
}

void TimedatedStandIn::setTimeDoes(const QString& code)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        kTimedated, QStringLiteral("/org/freedesktop/timedate1"), "org.freedesktop.DBus.Mock", "AddMethod");
    call << kTimedated << QStringLiteral("SetTime") << QStringLiteral("xbb") << QString() << code;
    const QDBusMessage reply = bus->call(call);
    ASSERT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
}

QStringList TimedatedStandIn::calls() const
{
    QFile log(m_dir.filePath("calls.log"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QByteArray& line : log.readAll().split('\n'))
        if (line.contains(" SetTime ") && !line.contains("raised"))
            lines << QString::fromUtf8(line.mid(line.indexOf(' ') + 1)); // without the time stamp
    return lines;
}

QList<qint64> TimedatedStandIn::changesAsked() const
{
    QList<qint64> changes;
    for (const QString& call : calls())
        changes << call.section(u' ', 1, 1).toLongLong();
    return changes;
}

} // namespace fakes
