#include "nettime/TimeUpdate.h"

#include "lang/Translate.h"
#include "nettime/ClockChange.h"
#include "nettime/ServerAddress.h"
#include "nettime/TimeClient.h"
#include "nettime/TimeQuery.h"
#include "nettime/TimeReply.h"
#include "platform/HostLookup.h"

#include <QEventLoop>
#include <QScopeGuard>
#include <QTimeZone>
#include <algorithm>
#include <memory>
#include <vector>

namespace nettime {

using platform::ClockSetter;

namespace {

const QString ServerFileName = QStringLiteral("NTPServers.dta");
constexpr int RefusedCode = 10061;

} // namespace

TimeUpdate::TimeUpdate(const platform::Platform& platform, platform::HostLookup& lookup, QString& timeServer,
                       qint32& timeOut, QObject* parent)
    : QObject(parent), m_platform(platform), m_lookup(lookup), m_timeServer(timeServer), m_timeOut(timeOut),
      m_adjustment(platform.clockSetter), m_order(platform.locale.locale()),
      m_serverFile(platform.folders.dataFile(ServerFileName), MaxServerFileSize), m_host(timeServer)
{
    TimeClient1 = new TTimeClient(lookup, platform.locale, this);
    TimeClient1->Port = 37;
    TimeClient1->ReportLevel = 0;
    setTimeOut(timeOut);
    wireTimeClient();
}

TimeUpdate::~TimeUpdate() = default;

void TimeUpdate::wireTimeClient()
{
    TimeClient1->OnConnect = [this](TAsyncSocket&) {
        m_timeServer = m_asking; // remembered from the first connection on
        setPanel(1, Translate(QStringLiteral("Connected")));
    };
    TimeClient1->OnDisconnect = [this](TAsyncSocket&) {
        setPanel(1, Translate(QStringLiteral("Disconnected")));
    };
    TimeClient1->OnHostResolved = [this](TAsyncSocket&) {
        setPanel(1, Translate(QStringLiteral("Host resolved")));
    };
    TimeClient1->OnInvalidHost = [this](bool& handled) {
        setPanel(1, Translate(QStringLiteral("Invalid Host")));
        handled = true; // one more try
    };
}

void TimeUpdate::setHost(const QString& host)
{
    if (host == m_host)
        return;
    m_host = host;
    emit hostChanged(host);
}

void TimeUpdate::setPanel(int panel, const QString& text)
{
    m_panels[panel] = text;
    emit statusChanged(panel, text);
}

void TimeUpdate::setBusy(bool busy)
{
    m_busy = busy;
    emit busyChanged(busy);
}

void TimeUpdate::runAlone(const std::function<void()>& command)
{
    if (m_busy)
        return;
    setBusy(true);
    {
        const auto done = qScopeGuard([this] { setBusy(false); });
        command();
    }
    if (std::exchange(m_revertWanted, false) && TotalChange() != 0)
        runAlone([this] { undo(TotalChange()); });
}

void TimeUpdate::LoadServerList()
{
    if (!m_load) {
        m_load = std::make_unique<ServerListLoad>(m_serverFile.path(), m_platform.locale.locale());
        connect(m_load.get(), &ServerListLoad::finished, this, &TimeUpdate::takeServerList);
    }
}

void TimeUpdate::takeServerList()
{
    if (std::exchange(m_listTaken, true))
        return;
    const platform::ReadResult& read = m_load->file();
    // A list that is there but was not read is never written over; why, the user hears once.
    if (read.exists() && !read.wasRead()) {
        m_serverFile.markNotUnderstood(read.error);
        const QString text = read.status == platform::ReadResult::TooLarge
                                 ? Translate(QStringLiteral("%s is too large to be a server list"))
                                 : Translate(QStringLiteral("Cannot open file %s"));
        m_platform.messages.error(QString(text).replace(QStringLiteral("%s"), m_serverFile.path()) +
                                  QStringLiteral("\n") + read.error);
    }
    m_servers = m_load->names();
    emit serversChanged();
}

void TimeUpdate::waitForServerList()
{
    LoadServerList();
    m_load->wait();
    takeServerList();
}

QString TimeUpdate::failureText(const ESockError& failure) const
{
    using Kind = ESockError::Kind;
    switch (failure.kind()) {
    case Kind::AlreadyConnected:
        return Translate(QStringLiteral("Already connected"));
    case Kind::HostLookupTimedOut:
        return Translate(QStringLiteral("Host Lookup Timed Out"));
    case Kind::HostLookupCanceled:
        return Translate(QStringLiteral("Host Lookup Canceled"));
    case Kind::HostLookupFailed:
    case Kind::NullRemoteAddress:
        return Translate(QStringLiteral("Host not found"));
    case Kind::ConnectionTimedOut:
        return Translate(QStringLiteral("Connection Timed out"));
    case Kind::ConnectionCanceled:
        return Translate(QStringLiteral("Connection Canceled"));
    case Kind::IncompleteReply:
        return Translate(QStringLiteral("Incomplete reply from the time server"));
    case Kind::ClosedByServer:
        return Translate(QStringLiteral("The server closed the connection without sending the time"));
    case Kind::NotForThisRequest:
        return Translate(QStringLiteral("The time server's reply does not answer the request"));
    case Kind::NotSynchronised:
        return Translate(QStringLiteral("The time server's own clock is not synchronised"));
    case Kind::NotATime:
        return Translate(QStringLiteral("The time server sent no valid time"));
    case Kind::SocketFailed:
        if (failure.code() == RefusedCode)
            return Translate(QStringLiteral("Connection refused"));
        break;
    }
    return QString::fromStdString(failure.what()); // "10065:No route to Host": the system's words
}

QString TimeUpdate::impossibleTime(qint64 serverMs) const
{
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(serverMs, m_platform.timeZones.systemZone());
    return Translate(QStringLiteral("The time server's time cannot be right:")) + QStringLiteral(" ") +
           m_platform.locale.formatShortDate(local.date()) + QStringLiteral(" ") +
           m_platform.locale.formatLongTime(local.time());
}

void TimeUpdate::tellNoServer()
{
    const QString text = Translate(QStringLiteral("No time server chosen"));
    setPanel(1, text);
    // An adjust-time event with no server would fail unseen at every turn: said once a run.
    if (!std::exchange(m_toldNoServer, true))
        m_platform.messages.showInformation(
            QStringLiteral("Veskel"),
            Translate(QStringLiteral("No time server has been chosen, so the clock cannot be set from the "
                                     "Internet.")) +
                QStringLiteral("\n\n") +
                Translate(QStringLiteral("Choose one on the Adjust the Time page of the configuration.")));
}

std::optional<TimeSample> TimeUpdate::fetch(const QString& server)
{
    const ServerAddress address = parseServerAddress(server);
    TimeClient1->CloseSocket(); // a fresh socket for the fetch ("Disconnected")
    setPanel(1, server);
    if (address.protocol == TimeProtocol::Ntp)
        return fetchNtp(address);
    TimeClient1->Host = address.host;
    TimeClient1->Port = address.port.value_or(Port);
    try {
        const auto seconds = quint32(TimeClient1->TimeInt());
        return rfc868Sample(seconds, m_platform.clock.now().toMSecsSinceEpoch(),
                            TimeClient1->replyRoundTripMs());
    } catch (const ESockError& failure) {
        TimeClient1->CloseSocket();
        setPanel(1, failureText(failure)); // after the close, whose "Disconnected" it replaces
    }
    return std::nullopt;
}

std::optional<TimeSample> TimeUpdate::fetchNtp(const ServerAddress& address)
{
    TimeQuery query(m_lookup, m_platform.clock);
    connect(&query, &TimeQuery::resolved, this,
            [this] { setPanel(1, Translate(QStringLiteral("Host resolved"))); });
    QEventLoop waiting;
    connect(&query, &TimeQuery::finished, &waiting, &QEventLoop::quit);
    m_queries = {&query};
    const auto done = qScopeGuard([this] { m_queries.clear(); });
    query.start(address, timeOut());
    if (query.running())
        waiting.exec();
    query.cancel(); // the program's end stops every wait
    if (query.failure()) {
        setPanel(1, failureText(*query.failure()));
        return std::nullopt;
    }
    m_timeServer = m_asking; // remembered once it answered
    return query.sample();
}

void TimeUpdate::UpdateTime()
{
    runAlone([this] {
        // The server is the one named when the command began, whatever the box says meanwhile.
        m_asking = m_host.trimmed();
        if (m_asking.isEmpty()) {
            tellNoServer();
            return;
        }
        const std::optional<TimeSample> sample = fetch(m_asking);
        if (!sample)
            return;
        if (!believable(sample->serverMs, sample->serverMs - sample->offsetMs)) {
            setPanel(1, impossibleTime(sample->serverMs));
            return;
        }
        if (sample->clockIsRight())
            setPanel(1, Translate(QStringLiteral("The clock is already right")));
        else
            apply(sample->offsetMs);
        if (!m_revertWanted) // a cancelled dialog wants no question about the server
            OfferToSaveServer(m_asking);
    });
}

void TimeUpdate::SetTimeFromPicker(const QTime& picked)
{
    runAlone([this, picked] {
        const QDateTime now = m_platform.clock.now();
        const std::optional<QDateTime> target = instantOfWallTime(picked, now,
                                                                  m_platform.timeZones.systemZone());
        if (!target) {
            const QString missing = Translate(
                QStringLiteral("That time does not exist today: the clocks skip it when they go forward."));
            setPanel(1, missing);
            m_platform.messages.warning(missing);
            emit clockChanged();
            return;
        }
        apply(now.msecsTo(*target));
    });
}

void TimeUpdate::apply(qint64 delta)
{
    const ClockSetter::Result result = m_adjustment.apply(delta);
    emit clockChanged();
    if (result == ClockSetter::Result::Set) {
        setPanel(1, Translate(QStringLiteral("Time changed by")) + changeAmountText(delta));
        m_undoAvailable = !splitChange(delta).underASecond();
        emit undoAvailableChanged(m_undoAvailable);
        reportTotal();
    } else {
        // Nothing changed: the total stays as it stood, and the status says the set failed
        // rather than that the clock moved by less than a second.
        setPanel(1, Translate(QStringLiteral("Failed to set time")));
        reportRefusal(result);
    }
}

void TimeUpdate::reportTotal()
{
    const qint64 total = m_adjustment.TotalChange();
    if (splitChange(total).underASecond())
        setPanel(0, Translate(QStringLiteral("Time Changed by less than a second")));
    else
        setPanel(0, Translate(QStringLiteral("Total change")) + totalAmountText(total));
}

void TimeUpdate::reportRefusal(ClockSetter::Result result)
{
    if (result == ClockSetter::Result::AutomaticSyncOn) {
        const QString keepsItsOwn = Translate(
            QStringLiteral("The system sets its own clock from the network (automatic time)."));
        const QString switchOff = Translate(
            QStringLiteral("To set the time here, first switch automatic time off:"));
        const QString where = Translate(
            QStringLiteral("in the system's date and time settings, or with the command"));
        m_platform.messages.warning(keepsItsOwn + QStringLiteral("\n\n") + switchOff + QStringLiteral("\n") +
                                    where + QStringLiteral("\n\n    timedatectl set-ntp false"));
    } else {
        m_platform.messages.warning(Translate(QStringLiteral("Failed to set time")));
    }
}

void TimeUpdate::UndoTimeChange(qint64 x)
{
    runAlone([this, x] { undo(x); });
}

void TimeUpdate::undo(qint64 x)
{
    const ClockSetter::Result result = m_adjustment.undo(x);
    emit clockChanged();
    if (result == ClockSetter::Result::Set) {
        setPanel(0, Translate(QStringLiteral("Last change undone")));
        m_undoAvailable = false;
        emit undoAvailableChanged(false);
    } else {
        reportRefusal(result);
    }
}

void TimeUpdate::RevertTotalChange()
{
    if (m_busy) {
        // The command under way ends (a fetch at once, a change when the system has answered)
        // and the revert follows it.
        m_revertWanted = true;
        cancel();
        return;
    }
    if (TotalChange() != 0)
        runAlone([this] { undo(TotalChange()); });
}

void TimeUpdate::cancel()
{
    TimeClient1->Cancel();
    for (TimeQuery* query : std::as_const(m_queries))
        query->cancel();
}

void TimeUpdate::setTimeOut(int ms)
{
    m_timeOut = std::clamp(ms, 0, MaxTimeOutMs);
    TimeClient1->TimeOut = m_timeOut;
}

int TimeUpdate::timeOut() const
{
    return TimeClient1->TimeOut;
}

void TimeUpdate::FindFastestServer()
{
    runAlone([this] {
        waitForServerList();
        QStringList names;
        for (const QString& name : std::as_const(m_servers))
            if (const QString server = name.trimmed(); !server.isEmpty() && !containsServer(names, server))
                names << server;
        names = names.mid(0, MaxServersAsked);
        if (names.isEmpty()) {
            setPanel(1, Translate(QStringLiteral("The server list is empty")));
            return;
        }
        setPanel(1, Translate(QStringLiteral("Asking every server in the list...")));
        // All at once: each answers in its own time, and the slowest sets how long this takes.
        std::vector<std::unique_ptr<TimeQuery>> queries;
        QEventLoop waiting;
        qsizetype unanswered = names.size();
        const auto done = qScopeGuard([this] { m_queries.clear(); });
        for (const QString& name : std::as_const(names)) {
            auto& query = *queries.emplace_back(std::make_unique<TimeQuery>(m_lookup, m_platform.clock));
            m_queries << &query;
            connect(&query, &TimeQuery::finished, &waiting, [&] {
                if (--unanswered == 0)
                    waiting.quit();
            });
            ServerAddress address = parseServerAddress(name);
            if (address.protocol == TimeProtocol::Time && !address.port)
                address.port = quint16(Port);
            query.start(address, timeOut());
        }
        if (unanswered > 0)
            waiting.exec();
        cancel(); // the program's end stops every wait
        reportFastest(names, queries);
    });
}

void TimeUpdate::reportFastest(const QStringList& names,
                               const std::vector<std::unique_ptr<TimeQuery>>& queries)
{
    const qint64 localMs = m_platform.clock.now().toMSecsSinceEpoch();
    QStringList results;
    std::optional<qsizetype> fastest;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const TimeQuery& query = *queries[size_t(i)];
        QString result;
        if (query.failure()) {
            result = failureText(*query.failure());
        } else if (!believable(query.sample()->serverMs, localMs)) {
            result = impossibleTime(query.sample()->serverMs);
        } else {
            result = QString::number(query.elapsedMs()) + QStringLiteral(" ms");
            if (!fastest || query.elapsedMs() < queries[size_t(*fastest)]->elapsedMs())
                fastest = i;
        }
        results << names[i] + QStringLiteral(": ") + result;
    }
    QString summary = Translate(QStringLiteral("No server gave a usable answer"));
    if (fastest) {
        setHost(names[*fastest]);
        m_timeServer = names[*fastest];
        summary = Translate(QStringLiteral("Fastest server:")) + QStringLiteral(" ") + names[*fastest];
    }
    setPanel(1, summary);
    m_platform.messages.information(Translate(QStringLiteral("Find the Fastest Server")),
                                    results.join(u'\n') + QStringLiteral("\n\n") + summary);
}

void TimeUpdate::OfferToSaveServer(const QString& name)
{
    waitForServerList(); // an adjust-time event may come before the page is ever made
    if (containsServer(m_servers, name))
        return;
    m_servers.insert(m_order.insertPosition(m_servers, name), name);
    emit serversChanged();
    if (!m_serverFile.mayWrite())
        return; // it stays in the list for the run; why the file is left alone was said on reading
    const QString question = Translate(QStringLiteral("Save ")) + QStringLiteral("\n\n") + name +
                             QStringLiteral("\n\n ") +
                             Translate(QStringLiteral("to the NTP Server data file?"));
    if (m_platform.messages.question(question, false) != platform::MessageBoxes::Answer::Yes)
        return; // the name stays in the list for the run; the file is left as it is
    if (const platform::SaveResult saved = m_serverFile.save(serverListBytes(m_servers)); !saved) {
        m_platform.messages.error(Translate(QStringLiteral("Cannot create file %s"))
                                      .replace(QStringLiteral("%s"), m_serverFile.path()) +
                                  QStringLiteral("\n") + saved.error);
        return;
    }
    m_platform.messages.information(QStringLiteral("Veskel"),
                                    name + QStringLiteral("\n") +
                                        Translate(QStringLiteral("was saved to the data file")) +
                                        QStringLiteral(" ") + ServerFileName);
}

} // namespace nettime
