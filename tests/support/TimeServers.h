#pragma once

#include "platform/HostLookup.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <memory>

namespace timeservers {

inline const QByteArray kSample = QByteArray::fromHex("E93D2FF0"); // 2024-01-01 12:34:56 UTC

// The four bytes of an RFC 868 reply for an instant: its whole seconds since 1900, in 32 bits.
QByteArray replyAt(const QDateTime& instant);

// A time server in the test itself, on loopback, that behaves as told.
class LoopbackServer : public QObject
{
public:
    enum class Mode
    {
        SendAndClose,
        SendAndStay,
        Silent,
        CloseAtOnce,
        SendInHalves, // two bytes, then the other two a little later, then close
        SendLater,    // the whole reply after `delayMs`, then close
    };
    explicit LoopbackServer(Mode mode, QByteArray reply = kSample);
    quint16 port() const { return m_server.serverPort(); }
    void setReply(QByteArray reply) { m_reply = std::move(reply); }
    int accepted = 0;
    int delayMs = 50;

private:
    QTcpServer m_server;
    Mode m_mode;
    QByteArray m_reply;
};

// Name lookups that answer as the test says: failing at once, never, or with loopback.
class ScriptedLookup final : public platform::HostLookup
{
public:
    enum class Behaviour
    {
        FailAtOnce,
        Never,
        Loopback
    };
    Behaviour behaviour = Behaviour::FailAtOnce;
    int started = 0;
    int aborted = 0;
    int start(const QString&, Callback done) override;
    void abort(int) override { ++aborted; }
};

// A port nothing listens on.
quint16 closedPort();

// A time server of the system's, started on a loopback port with a folder of its own and stopped
// when the object goes. `skipReason` says why there is none (not installed, or it did not start).
class LoopbackDaemon
{
public:
    LoopbackDaemon() = default;
    LoopbackDaemon(const LoopbackDaemon&) = delete;
    LoopbackDaemon& operator=(const LoopbackDaemon&) = delete;
    ~LoopbackDaemon();
    bool running() const { return m_running; }
    QString skipReason;
    quint16 port = 0;

protected:
    QTemporaryDir m_dir;
    QProcess m_process;
    bool m_running = false;
};

// xinetd's own RFC 868 service.
class XinetdTimeServer : public LoopbackDaemon
{
public:
    XinetdTimeServer();
};

// chrony serving NTP from this machine's clock, which it is told never to touch (-x); it runs
// unprivileged where it can, with its own configuration and pid file.
class ChronyServer : public LoopbackDaemon
{
public:
    ChronyServer();
};

// An NTP server in the test itself that answers as a hostile or broken one would.
class HostileNtpServer : public QObject
{
public:
    enum class Mode
    {
        WrongOrigin,
        StratumZero,
        LeapAlarm,
        Short,
        Silent
    };
    explicit HostileNtpServer(Mode mode);
    quint16 port() const { return m_socket.localPort(); }

private:
    QUdpSocket m_socket;
};

} // namespace timeservers
