#include "nettime/TimeQuery.h"

#include "nettime/AsyncSocket.h"
#include "nettime/SntpPacket.h"
#include "nettime/WinsockErrors.h"
#include "platform/Clock.h"
#include "platform/HostLookup.h"

#include <QNetworkDatagram>
#include <QPointer>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QUdpSocket>

namespace nettime {

TimeQuery::TimeQuery(platform::HostLookup& lookup, platform::Clock& clock, QObject* parent)
    : QObject(parent), m_lookup(lookup), m_clock(clock)
{
    m_deadline.setSingleShot(true);
    m_deadline.setTimerType(Qt::PreciseTimer);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        if (m_looking)
            fail(Kind::HostLookupTimedOut);
        else
            fail(m_refused.value_or(Kind::ConnectionTimedOut)); // why what came was set aside
    });
}

TimeQuery::~TimeQuery()
{
    if (m_looking)
        m_lookup.abort(m_lookupId);
}

void TimeQuery::start(const ServerAddress& server, int timeOutMs)
{
    cancel();
    m_server = server;
    m_sample.reset();
    m_failure.reset();
    m_refused.reset();
    m_received.clear();
    m_running = true;
    m_started.start();
    if (timeOutMs > 0)
        m_deadline.start(timeOutMs);
    QHostAddress dotted;
    if (dotted.setAddress(server.host)) {
        ask(dotted);
        return;
    }
    if (server.host.isEmpty() || server.host.size() > TAsyncSocket::MaxHostLength) {
        fail(Kind::HostLookupFailed);
        return;
    }
    const auto answered = [self = QPointer<TimeQuery>(this),
                           asked = ++m_lookups](const platform::HostLookup::Answer& answer) {
        if (!self || !self->m_looking || asked != self->m_lookups)
            return; // an answer to a question no longer asked
        self->m_looking = false;
        if (!answer.ok || answer.addresses.isEmpty()) {
            self->fail(Kind::HostLookupFailed);
            return;
        }
        emit self->resolved();
        QHostAddress address = answer.addresses.constFirst();
        for (const QHostAddress& each : answer.addresses)
            if (each.protocol() == QAbstractSocket::IPv4Protocol) {
                address = each;
                break;
            }
        self->ask(address);
    };
    m_looking = true;
    m_lookupId = m_lookup.start(server.host, answered);
}

void TimeQuery::cancel()
{
    if (m_running)
        fail(m_looking ? Kind::HostLookupCanceled : Kind::ConnectionCanceled);
}

void TimeQuery::ask(const QHostAddress& address)
{
    if (!m_running)
        return;
    if (m_server.protocol == TimeProtocol::Ntp)
        askNtp(address);
    else
        askTime(address);
}

void TimeQuery::askTime(const QHostAddress& address)
{
    auto* socket = new QTcpSocket(this);
    m_socket = socket;
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { takeTime(*socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        takeTime(*socket);
        fail(m_received.isEmpty() ? Kind::ClosedByServer : Kind::IncompleteReply);
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error != QAbstractSocket::RemoteHostClosedError) // the close says more
            fail(Kind::SocketFailed, winsockCodeFor(error));
    });
    m_sent.start();
    socket->connectToHost(address, m_server.port.value_or(37));
}

void TimeQuery::takeTime(QAbstractSocket& socket)
{
    if (!m_running)
        return;
    m_received += socket.read(ReplyLength - m_received.size());
    socket.readAll(); // whatever follows the four bytes is dropped
    if (const std::optional<quint32> seconds = replySeconds(m_received))
        succeed(rfc868Sample(*seconds, m_clock.now().toMSecsSinceEpoch(), m_sent.elapsed()));
}

void TimeQuery::askNtp(const QHostAddress& address)
{
    auto* socket = new QUdpSocket(this);
    m_socket = socket;
    connect(socket, &QUdpSocket::readyRead, this, [this, socket] { takeNtp(*socket); });
    connect(socket, &QUdpSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) { fail(Kind::SocketFailed, winsockCodeFor(error)); });
    connect(socket, &QUdpSocket::connected, this, [this, socket] {
        m_nonce = QRandomGenerator::global()->generate64() | 1; // never 0, which no reply may hold
        m_sentUs = m_clock.now().toMSecsSinceEpoch() * 1000;
        m_sent.start();
        socket->write(sntpRequest(m_nonce));
    });
    // Connected, the socket takes datagrams from the server's address and port only.
    socket->connectToHost(address, m_server.port.value_or(NtpPort));
}

void TimeQuery::takeNtp(QAbstractSocket& socket)
{
    auto& udp = static_cast<QUdpSocket&>(socket);
    while (m_running && udp.hasPendingDatagrams()) {
        const QByteArray reply = udp.receiveDatagram(SntpPacketLength * 2).data();
        const auto read = readSntpReply(reply, m_nonce, m_sentUs, m_sent.nsecsElapsed() / 1000);
        if (const auto* sample = std::get_if<TimeSample>(&read)) {
            succeed(*sample);
        } else if (const Kind kind = std::get<Kind>(read);
                   reply.size() < SntpPacketLength || kind == Kind::NotForThisRequest) {
            m_refused = kind; // not known to come from the server asked: wait on for the real reply
        } else {
            fail(kind);
        }
    }
}

void TimeQuery::succeed(const TimeSample& sample)
{
    if (!m_running)
        return;
    m_sample = sample;
    end();
}

void TimeQuery::fail(Kind kind, int code)
{
    if (!m_running)
        return;
    m_failure.emplace(kind, code);
    end();
}

void TimeQuery::end()
{
    m_running = false;
    m_elapsedMs = m_started.elapsed();
    m_deadline.stop();
    if (std::exchange(m_looking, false))
        m_lookup.abort(m_lookupId);
    if (QAbstractSocket* socket = std::exchange(m_socket, nullptr)) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
    emit finished();
}

} // namespace nettime
