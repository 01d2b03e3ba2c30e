#pragma once

#include "nettime/SockError.h"
#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QEventLoop;
class QTcpSocket;

namespace platform {
class HostLookup;
}

namespace nettime {

// A small TCP client that lives on the UI thread. Its operations look blocking to the caller but
// wait in a nested event loop, so the program (the clock's tick among it) goes on meanwhile; no
// wait spins. Name lookup, connecting and the wait for the first reply byte are each bounded by
// TimeOut.
class TAsyncSocket : public QObject
{
    Q_OBJECT

public:
    explicit TAsyncSocket(platform::HostLookup& lookup, QObject* parent = nullptr);
    ~TAsyncSocket() override;

    static constexpr int MaxHostLength = 127;

    QString Host;    // a name or a dotted IPv4 address; a longer one than 127 characters fails its lookup
    qint32 Port = 0; // only the low 16 bits are used
    qint32 TimeOut = 500; // milliseconds; 0 waits without bound (but a refused connect ends it)
    int ReportLevel = 0;  // status messages at or below this level are reported
    QString Status;
    qint32 LastErrorNo = 0;
    bool Connected = false;

    std::function<void(TAsyncSocket&)> OnConnect;
    std::function<void(TAsyncSocket&)> OnDisconnect;
    std::function<void(TAsyncSocket&)> OnHostResolved;
    std::function<void(bool& handled)> OnInvalidHost;
    std::function<void(TAsyncSocket&, const QString& status)> OnStatus;
    std::function<void(TAsyncSocket&, int code, const QString& text)> OnError;

    void Disconnect();
    // Ends a fetch that is running, at its next wake-up, with HostLookupCanceled or
    // ConnectionCanceled. The program's end cancels a fetch too: a fetch waits inside a handler,
    // and the program cannot end before that handler returns.
    void Cancel();
    // Closes the socket and puts a fresh one in its place, ready for the next exchange.
    void CloseSocket();

    // How many name lookups were started (a dotted address needs none).
    int lookupsStarted() const { return m_lookups; }
    // From starting to connect to the last byte of the last reply, in milliseconds.
    qint64 replyRoundTripMs() const { return m_roundTripMs; }

protected:
    // Connects to Host:Port, takes the reply's four bytes, and closes. Throws ESockError, or
    // std::out_of_range for a negative TimeOut.
    QByteArray readReply();
    void report(const QString& text, int level);

private:
    void resolve();
    void createSocket();
    void startTimer();
    void stopTimer();
    // Runs the event loop until `done` holds or the time-out timer fires.
    void waitFor(const std::function<bool()>& done);
    void wake();
    void takeReply(QTcpSocket& socket);

    platform::HostLookup& m_lookup;
    QTcpSocket* m_socket = nullptr;
    QHostAddress m_remote;
    QByteArray m_received;
    QTimer m_timer;
    QElapsedTimer m_asked;
    qint64 m_roundTripMs = 0;
    QEventLoop* m_waiting = nullptr;
    int m_lookupId = -1;
    int m_lookups = 0;
    bool m_lastNotificationOk = false;
    bool m_lookupCompleted = false;
    bool m_lookupOk = false;
    QList<QHostAddress> m_lookupAddresses;
    bool m_timedOut = false;
    bool m_cancelled = false;
    bool m_peerClosed = false;
    bool m_socketFailed = false;
    bool m_busy = false;
    bool m_destroying = false;
};

} // namespace nettime
