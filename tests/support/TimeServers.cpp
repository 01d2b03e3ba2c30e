#include "support/TimeServers.h"

#include <QFile>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QThread>
#include <QTime>
#include <QTimer>

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

XinetdTimeServer::~XinetdTimeServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

} // namespace timeservers
