#pragma once

#include "nettime/ServerAddress.h"
#include "nettime/SockError.h"
#include "nettime/TimeReply.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <optional>

class QAbstractSocket;

namespace platform {
class Clock;
class HostLookup;
} // namespace platform

namespace nettime {

// One question to one time server, in either protocol, without waiting: it runs on the event loop
// and says when it is done. Many can run at once, which is how the fastest server is found; the
// update command waits for one. Name lookup and exchange together are bounded by the time-out.
class TimeQuery final : public QObject
{
    Q_OBJECT

public:
    TimeQuery(platform::HostLookup& lookup, platform::Clock& clock, QObject* parent = nullptr);
    ~TimeQuery() override;

    // Asks; finished() follows once, within `timeOutMs` (0: when answered or cancelled).
    void start(const ServerAddress& server, int timeOutMs);
    void cancel();
    bool running() const { return m_running; }

    // What came of it: a time, or why there is none.
    const std::optional<TimeSample>& sample() const { return m_sample; }
    const std::optional<ESockError>& failure() const { return m_failure; }
    // From the start to the answer.
    qint64 elapsedMs() const { return m_elapsedMs; }

signals:
    void resolved();
    void finished();

private:
    using Kind = ESockError::Kind;

    void ask(const QHostAddress& address);
    void askTime(const QHostAddress& address);
    void askNtp(const QHostAddress& address);
    void takeTime(QAbstractSocket& socket);
    void takeNtp(QAbstractSocket& socket);
    void succeed(const TimeSample& sample);
    void fail(Kind kind, int code = 0);
    void end();

    platform::HostLookup& m_lookup;
    platform::Clock& m_clock;
    ServerAddress m_server;
    QTimer m_deadline;
    QElapsedTimer m_started;
    QElapsedTimer m_sent;
    QAbstractSocket* m_socket = nullptr;
    QByteArray m_received;
    quint64 m_nonce = 0;
    qint64 m_sentUs = 0;
    int m_lookupId = 0;
    int m_lookups = 0;
    bool m_looking = false;
    bool m_running = false;
    std::optional<ESockError::Kind> m_refused; // a reply set aside, and why
    std::optional<TimeSample> m_sample;
    std::optional<ESockError> m_failure;
    qint64 m_elapsedMs = 0;
};

} // namespace nettime
