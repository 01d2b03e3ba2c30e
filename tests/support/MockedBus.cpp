#include "support/MockedBus.h"

#include <QDBusConnectionInterface>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <cctype>

namespace fakes {

MockedBus::MockedBus()
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

MockedBus::~MockedBus()
{
    stopService();
    if (bus)
        QDBusConnection::disconnectFromBus(bus->name());
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }
}

bool MockedBus::startService(const QString& dbusTemplate, const QString& service)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", address);
    m_service.setProcessEnvironment(env);
    m_service.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_service.start(m_python,
                    {"-m", "dbusmock", "--session", "-t", dbusTemplate, "-l", m_dir.filePath("calls.log")});
    return QTest::qWaitFor([&] { return bus->interface()->isServiceRegistered(service).value(); }, 10000);
}

void MockedBus::stopService()
{
    if (m_service.state() == QProcess::NotRunning)
        return;
    m_service.terminate();
    m_service.waitForFinished(5000);
}

QStringList MockedBus::calls(const QString& method) const
{
    QFile log(m_dir.filePath("calls.log"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    // Each call begins with its time stamp; a text argument may run over several lines.
    QList<QByteArray> entries;
    for (const QByteArray& line : log.readAll().split('\n'))
        if (!line.isEmpty() && (entries.isEmpty() || std::isdigit(static_cast<unsigned char>(line[0]))))
            entries << line;
        else if (!entries.isEmpty())
            entries.last() += '\n' + line;
    QStringList calls;
    const QByteArray call = " " + method.toUtf8() + " ";
    for (const QByteArray& entry : entries)
        if (entry.contains(call) && !entry.contains("raised"))
            calls << QString::fromUtf8(entry.mid(entry.indexOf(' ') + 1)).trimmed(); // no time stamp
    return calls;
}

} // namespace fakes
