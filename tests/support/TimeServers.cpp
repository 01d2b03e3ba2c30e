#include "support/TimeServers.h"

#include <QFile>
#include <QNetworkDatagram>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QThread>
#include <QTime>
#include <QTimer>
#include <unistd.h>

namespace timeservers {

QByteArray replyAt(const QDateTime& instant)
{
    const quint32 seconds = quint32(instant.toSecsSinceEpoch() + 2208988800);
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char(seconds >> (24 - 8 * i));
    return bytes;
}

LoopbackServer::LoopbackServer(Mode mode, QByteArray reply) : m_mode(mode), m_reply(std::move(reply))
{
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* peer = m_server.nextPendingConnection()) {
            ++accepted;
            switch (m_mode) {
            case Mode::SendAndClose:
                peer->write(m_reply);
                peer->disconnectFromHost();
                break;
            case Mode::SendAndStay:
                peer->write(m_reply);
                peer->flush();
                break;
            case Mode::Silent:
                break;
            case Mode::CloseAtOnce:
                peer->disconnectFromHost();
                break;
            case Mode::SendInHalves:
                peer->write(m_reply.left(2));
                peer->flush();
                QTimer::singleShot(delayMs, peer, [this, peer] {
                    peer->write(m_reply.mid(2));
                    peer->disconnectFromHost();
                });
                break;
            case Mode::SendLater:
                QTimer::singleShot(delayMs, peer, [this, peer] {
                    peer->write(m_reply);
                    peer->disconnectFromHost();
                });
                break;
            }
        }
    });
}

int ScriptedLookup::start(const QString&, Callback done)
{
    ++started;
    if (behaviour == Behaviour::Never)
        return started;
    const Answer answer = behaviour == Behaviour::Loopback ? Answer{true, {QHostAddress::LocalHost}}
                                                           : Answer{};
    QTimer::singleShot(0, [done, answer] { done(answer); });
    return started;
}

quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort(); // closed again when probe goes
}

XinetdTimeServer::XinetdTimeServer()
{
    const QString xinetd = QStandardPaths::findExecutable("xinetd", {"/usr/sbin", "/sbin", "/usr/bin"});
    if (xinetd.isEmpty()) {
        skipReason = "xinetd is not installed: no real RFC 868 server to ask";
        return;
    }
    port = closedPort();
    QFile conf(m_dir.filePath("xinetd.conf"));
    if (!conf.open(QIODevice::WriteOnly)) {
        skipReason = "no room for xinetd's configuration";
        return;
    }
    conf.write(
        QStringLiteral("defaults\n{\n}\nservice time\n{\n    type = INTERNAL UNLISTED\n    id = time-stream\n"
                       "    socket_type = stream\n    protocol = tcp\n    wait = no\n    port = %1\n"
                       "    bind = 127.0.0.1\n}\n")
            .arg(port)
            .toUtf8());
    conf.close();
    m_process.start(xinetd, {"-f", conf.fileName(), "-dontfork", "-pidfile", m_dir.filePath("pid")});
    if (!m_process.waitForStarted()) {
        skipReason = "xinetd did not start";
        return;
    }
    // Until it listens (a few milliseconds; never more than five seconds).
    for (int i = 0; i < 100 && !m_running; ++i) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port);
        m_running = probe.waitForConnected(50);
        if (!m_running)
            QThread::msleep(50);
    }
    if (!m_running)
        skipReason = "xinetd did not start its time service: " + QString::fromLocal8Bit(m_process.readAll());
}

LoopbackDaemon::~LoopbackDaemon()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

ChronyServer::ChronyServer()
{
    const QString chronyd = QStandardPaths::findExecutable("chronyd", {"/usr/sbin", "/sbin", "/usr/bin"});
    if (chronyd.isEmpty()) {
        skipReason = "chrony is not installed: no real NTP server to ask";
        return;
    }
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    port = probe.localPort();
    probe.close();
    QFile conf(m_dir.filePath("chrony.conf"));
    if (!conf.open(QIODevice::WriteOnly)) {
        skipReason = "no room for chrony's configuration";
        return;
    }
    // Its own clock as the reference (local stratum), no command sockets, nothing outside its
    // folder.
    conf.write(QStringLiteral("port %1\nbindaddress 127.0.0.1\nallow 127.0.0.1\nlocal stratum 8\ncmdport 0\n"
                              "bindcmdaddress /\npidfile %2\n")
                   .arg(port)
                   .arg(m_dir.filePath("chronyd.pid"))
                   .toUtf8());
    conf.close();
    // -x: never touch this machine's clock; -d: stay in front, logging to standard error; -U:
    // no root needed; as root, it stays root rather than becoming a user the folder is not for.
    QStringList arguments{"-x", "-d", "-U", "-f", conf.fileName()};
    if (geteuid() == 0)
        arguments << "-u"
                  << "root";
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(chronyd, arguments);
    if (!m_process.waitForStarted()) {
        skipReason = "chronyd did not start";
        return;
    }
    // Until it answers (a few milliseconds; never more than five seconds).
    QByteArray request(48, '\0');
    request[0] = 0x23;
    request[47] = 1;
    for (int i = 0; i < 100 && !m_running && m_process.state() == QProcess::Running; ++i) {
        QUdpSocket client; // afresh: a refusal before chrony listens spoils a socket
        client.connectToHost(QHostAddress::LocalHost, port);
        client.write(request);
        m_running = client.waitForReadyRead(50) && client.receiveDatagram().data().size() >= 48;
        if (!m_running)
            QThread::msleep(50); // a refusal comes back at once
    }
    if (!m_running) {
        m_process.waitForFinished(100);
        skipReason = "chronyd did not serve: " + QString::fromLocal8Bit(m_process.readAll());
    }
}

HostileNtpServer::HostileNtpServer(Mode mode)
{
    m_socket.bind(QHostAddress::LocalHost, 0);
    connect(&m_socket, &QUdpSocket::readyRead, this, [this, mode] {
        while (m_socket.hasPendingDatagrams()) {
            const QNetworkDatagram request = m_socket.receiveDatagram();
            QByteArray reply(48, '\0');
            reply[0] = char(mode == Mode::LeapAlarm ? 0xE4 : 0x24); // leap 3 or 0, version 4, server
            reply[1] = char(mode == Mode::StratumZero ? 0 : 2);
            reply.replace(24, 8, request.data().mid(40, 8)); // the request's transmit time as origin
            if (mode == Mode::WrongOrigin)
                reply[31] = char(reply[31] ^ 0x55);
            reply.replace(32, 8, QByteArray::fromHex("EB00000080000000")); // a time in 2025
            reply.replace(40, 8, QByteArray::fromHex("EB00000080000000"));
            if (mode == Mode::Short)
                reply.truncate(47);
            if (mode != Mode::Silent)
                m_socket.writeDatagram(reply, request.senderAddress(), quint16(request.senderPort()));
        }
    });
}

} // namespace timeservers
