#include "nettime/AsyncSocket.h"

#include "nettime/TimeReply.h"
#include "nettime/WinsockErrors.h"
#include "platform/HostLookup.h"

#include <QEventLoop>
#include <QScopeGuard>
#include <QTcpSocket>
#include <stdexcept>

namespace nettime {

TAsyncSocket::TAsyncSocket(platform::HostLookup& lookup, QObject* parent) : QObject(parent), m_lookup(lookup)
{
    report(QStringLiteral("Create"), 8);
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer); // a coarse timer may end a wait up to 5% early
    connect(&m_timer, &QTimer::timeout, this, [this] {
        report(QStringLiteral("Timer Triggered"), 8);
        m_timer.stop();
        m_timedOut = true;
        wake();
    });
    createSocket();
}

TAsyncSocket::~TAsyncSocket()
{
    m_destroying = true;
    report(QStringLiteral("Destroy"), 8);
    if (m_lookupId >= 0)
        m_lookup.abort(m_lookupId);
    CloseSocket();
}

void TAsyncSocket::report(const QString& text, int level)
{
    if (level > ReportLevel)
        return;
    Status = text;
    // Not while being destroyed: whatever the handler refers to may be gone already.
    if (OnStatus && !m_destroying)
        OnStatus(*this, text);
}

void TAsyncSocket::wake()
{
    if (m_waiting)
        m_waiting->quit();
}

void TAsyncSocket::Cancel()
{
    m_cancelled = true;
    wake();
}

void TAsyncSocket::waitFor(const std::function<bool()>& done)
{
    while (!done() && !m_timedOut && !m_cancelled) {
        QEventLoop loop;
        QEventLoop* outer = std::exchange(m_waiting, &loop);
        // An event loop refuses to run once the application is ending; waiting on would spin.
        if (loop.exec() < 0)
            m_cancelled = true;
        m_waiting = outer;
    }
}

void TAsyncSocket::startTimer()
{
    if (TimeOut < 0)
        throw std::out_of_range("Range check error");
    m_timedOut = false;
    m_timer.stop();
    if (TimeOut == 0)
        return; // no bound
    report(QStringLiteral("Timer On"), 8);
    m_timer.start(TimeOut);
}

void TAsyncSocket::stopTimer()
{
    report(QStringLiteral("Timer Off"), 8);
    m_timer.stop();
}

void TAsyncSocket::createSocket()
{
    auto* socket = new QTcpSocket(this);
    m_socket = socket;
    const auto current = [this, socket] { return socket == m_socket; };
    connect(socket, &QTcpSocket::connected, this, [this, current] {
        if (!current())
            return;
        m_lastNotificationOk = true;
        Connected = true;
        if (OnConnect)
            OnConnect(*this);
        wake();
    });
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, current] {
        if (!current())
            return;
        m_lastNotificationOk = true;
        report(QStringLiteral("ReadToStream"), 8);
        takeReply(*socket);
        wake();
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, current](QAbstractSocket::SocketError error) {
        if (!current())
            return;
        m_lastNotificationOk = false;
        if (error == QAbstractSocket::RemoteHostClosedError)
            return; // the peer's close, handled below
        LastErrorNo = winsockCodeFor(error);
        m_socketFailed = true;
        if (OnError)
            OnError(*this, LastErrorNo, winsockErrorText(LastErrorNo));
        wake();
    });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket, current] {
        if (!current())
            return;
        // Whatever the peer sent before closing is still to be taken.
        takeReply(*socket);
        m_peerClosed = true;
        Connected = false;
        CloseSocket();
        wake();
    });
}

void TAsyncSocket::takeReply(QTcpSocket& socket)
{
    // A server that floods costs nothing: what comes after the reply's four bytes is read and
    // dropped, never kept.
    const QByteArray bytes = socket.readAll();
    if (m_received.size() < ReplyLength && m_received.size() + bytes.size() >= ReplyLength)
        m_roundTripMs = m_asked.elapsed();
    m_received.append(bytes.left(std::max<qsizetype>(0, ReplyLength - m_received.size())));
}

void TAsyncSocket::CloseSocket()
{
    report(QStringLiteral("Request Close Socket"), 4);
    Connected = false;
    if (!m_socket)
        return;
    QTcpSocket* old = std::exchange(m_socket, nullptr);
    old->disconnect(this);
    old->abort();
    old->deleteLater();
    if (m_destroying)
        return;
    if (OnDisconnect)
        OnDisconnect(*this);
    createSocket();
}

void TAsyncSocket::Disconnect()
{
    report(QStringLiteral("Disconnecting"), 8);
    CloseSocket();
}

void TAsyncSocket::resolve()
{
    report(QStringLiteral("Resolve Host"), 8);
    QHostAddress dotted;
    if (dotted.setAddress(Host) && dotted.protocol() == QAbstractSocket::IPv4Protocol) {
        m_remote = dotted;
        return;
    }
    m_remote.clear();
    if (Host.isEmpty() || Host.size() > MaxHostLength)
        throw ESockError(ESockError::Kind::HostLookupFailed);
    startTimer();
    m_lookupCompleted = false;
    m_lookupOk = false;
    ++m_lookups;
    const int id = m_lookup.start(Host, [this](const platform::HostLookup::Answer& answer) {
        m_lookupCompleted = true;
        m_lookupOk = answer.ok;
        m_lookupAddresses = answer.addresses;
        wake();
    });
    m_lookupId = id;
    waitFor([this] { return m_lookupCompleted; });
    stopTimer();
    if (!m_lookupCompleted) {
        m_lookup.abort(id);
        m_lookupId = -1;
        if (m_timedOut)
            throw ESockError(ESockError::Kind::HostLookupTimedOut);
        throw ESockError(ESockError::Kind::HostLookupCanceled);
    }
    m_lookupId = -1;
    if (!m_lookupOk || m_lookupAddresses.isEmpty())
        throw ESockError(ESockError::Kind::HostLookupFailed);
    // The first IPv4 address, as the protocol has always been spoken; any address otherwise.
    m_remote = m_lookupAddresses.constFirst();
    for (const QHostAddress& address : std::as_const(m_lookupAddresses))
        if (address.protocol() == QAbstractSocket::IPv4Protocol) {
            m_remote = address;
            break;
        }
    if (OnHostResolved)
        OnHostResolved(*this);
}

QByteArray TAsyncSocket::readReply()
{
    m_cancelled = false;
    if (Connected || m_busy)
        throw ESockError(ESockError::Kind::AlreadyConnected);
    m_busy = true;
    const auto done = qScopeGuard([this] { m_busy = false; });

    for (int attempt = 0;; ++attempt) {
        try {
            resolve();
        } catch (const ESockError& e) {
            if (e.kind() != ESockError::Kind::HostLookupFailed)
                throw;
            m_remote.clear(); // a failed lookup leaves no address, which the owner may mend
        }
        if (!m_remote.isNull())
            break;
        bool handled = false;
        if (attempt < 1 && OnInvalidHost)
            OnInvalidHost(handled);
        if (!handled)
            throw ESockError(ESockError::Kind::NullRemoteAddress);
    }

    report(QStringLiteral("Connecting"), 8);
    m_lastNotificationOk = false;
    m_socketFailed = false;
    m_peerClosed = false;
    m_received.clear();
    startTimer();
    m_asked.start();
    m_socket->connectToHost(m_remote, quint16(Port));
    // A refused connect fails at once, as what it is.
    waitFor([this] { return m_lastNotificationOk || m_socketFailed; });
    stopTimer();
    if (!m_lastNotificationOk) {
        m_socket->abort(); // no connect left pending for the next exchange
        if (m_cancelled)
            throw ESockError(ESockError::Kind::ConnectionCanceled);
        if (m_timedOut)
            throw ESockError(ESockError::Kind::ConnectionTimedOut);
        throw ESockError(ESockError::Kind::SocketFailed, LastErrorNo);
    }

    // The wait for the reply has its bound too: a server that accepts and never sends, or
    // stops short of four bytes, fails like a connect that never completes.
    QByteArray reply;
    try {
        startTimer();
        waitFor([this] { return m_received.size() >= ReplyLength || m_peerClosed || m_socketFailed; });
        stopTimer();
        if (m_received.size() < ReplyLength) {
            if (m_cancelled)
                throw ESockError(ESockError::Kind::ConnectionCanceled);
            if (m_timedOut)
                throw ESockError(ESockError::Kind::ConnectionTimedOut);
            if (m_socketFailed && !m_peerClosed)
                throw ESockError(ESockError::Kind::SocketFailed, LastErrorNo);
            throw ESockError(m_received.isEmpty() ? ESockError::Kind::ClosedByServer
                                                  : ESockError::Kind::IncompleteReply);
        }
        report(QStringLiteral("Read( 0 )"), 8);
        reply = std::exchange(m_received, {});
    } catch (...) {
        Disconnect();
        throw;
    }
    Disconnect();
    return reply;
}

} // namespace nettime
