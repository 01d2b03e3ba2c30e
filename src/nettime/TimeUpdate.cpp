#include "nettime/TimeUpdate.h"

#include "lang/Translate.h"
#include "nettime/ClockChange.h"
#include "nettime/TimeClient.h"
#include "nettime/TimeReply.h"
#include "platform/HostLookup.h"

#include <QScopeGuard>
#include <QTimeZone>

namespace nettime {

using platform::ClockSetter;

namespace {

const QString ServerFileName = QStringLiteral("NTPServers.dta");
constexpr int RefusedCode = 10061;

} // namespace

TimeUpdate::TimeUpdate(const platform::Platform& platform, platform::HostLookup& lookup, QString& timeServer,
                       QObject* parent)
    : QObject(parent), m_platform(platform), m_timeServer(timeServer), m_adjustment(platform.clockSetter),
      m_order(platform.locale.locale()),
      m_serverFile(platform.folders.dataFile(ServerFileName), MaxServerFileSize), m_host(timeServer)
{
    TimeClient1 = new TTimeClient(lookup, platform.locale, this);
    TimeClient1->Port = 37;
    TimeClient1->TimeOut = 5000;
    TimeClient1->ReportLevel = 0;
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
    if (std::exchange(m_listLoaded, true))
        return;
    const platform::ReadResult read = m_serverFile.read();
    // A list that is there but was not read is never written over; why, the user hears once.
    if (read.exists() && !read.wasRead()) {
        const QString text = read.status == platform::ReadResult::TooLarge
                                 ? Translate(QStringLiteral("%s is too large to be a server list"))
                                 : Translate(QStringLiteral("Cannot open file %s"));
        m_platform.messages.error(QString(text).replace(QStringLiteral("%s"), m_serverFile.path()) +
                                  QStringLiteral("\n") + read.error);
    }
    QStringList names = parseServerList(read.bytes);
    m_order.sort(names);
    m_servers = names;
    emit serversChanged();
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

QString TimeUpdate::shownTime(qint64 ms) const
{
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms, m_platform.timeZones.systemZone());
    return m_platform.locale.formatShortDate(local.date()) + QStringLiteral(" ") +
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
    TimeClient1->CloseSocket(); // a fresh socket for the fetch ("Disconnected")
    setPanel(1, server);
    TimeClient1->Host = server;
    TimeClient1->Port = Port;
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
            setPanel(1, Translate(QStringLiteral("The time server's time cannot be right:")) +
                            QStringLiteral(" ") + shownTime(sample->serverMs));
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
}

void TimeUpdate::OfferToSaveServer(const QString& name)
{
    LoadServerList(); // an adjust-time event may come before the page is ever made
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
