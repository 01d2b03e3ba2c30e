#include "nettime/TimeUpdate.h"

#include "core/DateTimeText.h"
#include "lang/Translate.h"
#include "nettime/ClockChange.h"
#include "nettime/TimeClient.h"
#include "platform/HostLookup.h"

#include <QScopeGuard>
#include <cmath>

namespace nettime {

using platform::ClockSetter;

namespace {

const QString ServerFileName = QStringLiteral("NTPServers.dta");

} // namespace

TimeUpdate::TimeUpdate(const platform::Platform& platform, platform::HostLookup& lookup, QString& timeServer,
                       QObject* parent)
    : QObject(parent), m_platform(platform), m_timeServer(timeServer),
      m_adjustment(platform.clock, platform.clockSetter), m_order(platform.locale.locale()),
      m_host(timeServer)
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
        m_timeServer = m_host; // remembered from the first connection on
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

void TimeUpdate::setUndoAvailable(bool available)
{
    m_undoAvailable = available;
    emit undoAvailableChanged(available);
}

qint32 TimeUpdate::localBias() const
{
    if (m_localBias)
        return m_localBias();
    return -m_platform.clock.now().offsetFromUtc() / 60;
}

void TimeUpdate::LoadServerList()
{
    if (m_listLoaded)
        return;
    m_listLoaded = true;
    const QString path = m_platform.folders.dataFile(ServerFileName);
    ServerFileRead read = readServerFile(path);
    if (read.failure) {
        const QString text = *read.failure == ServerFileRead::Failure::TooLarge
                                 ? Translate(QStringLiteral("%s is too large to be a server list"))
                                 : Translate(QStringLiteral("Cannot open file %s"));
        m_platform.messages.error(QString(text).replace(QStringLiteral("%s"), path));
    }
    m_order.sort(read.names);
    m_servers = read.names;
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
        return Translate(QStringLiteral("Host Lookup Failed"));
    case Kind::NullRemoteAddress:
        return Translate(QStringLiteral("Null Remote Address"));
    case Kind::ConnectionTimedOut:
        return Translate(QStringLiteral("Connection Timed out"));
    case Kind::ConnectionCanceled:
        return Translate(QStringLiteral("Connection Canceled"));
    case Kind::IncompleteReply:
        return Translate(QStringLiteral("Incomplete reply from the time server"));
    case Kind::SocketFailed:
        break;
    }
    return QString::fromStdString(failure.what()); // "10061:Connection refused": the system's words
}

void TimeUpdate::UpdateTime()
{
    if (m_busy)
        return;
    setBusy(true);
    const auto done = qScopeGuard([this] { setBusy(false); });

    TimeClient1->CloseSocket(); // a fresh socket for the fetch ("Disconnected")
    TimeClient1->Host = m_host;
    TimeClient1->Port = Port;
    setPanel(1, TimeClient1->Host);
    const qint32 bias = localBias();

    QString timeStr;
    try {
        timeStr = TimeClient1->TimeStr();
    } catch (const ESockError& failure) {
        TimeClient1->CloseSocket();
        setPanel(1, failureText(failure)); // after the close, whose "Disconnected" it replaces
        return;
    }
    const auto utc = core::parseTimeText(timeStr, m_platform.locale);
    if (!utc) { // the client writes what this reads; never seen, but never a wrong time either
        setPanel(1, Translate(QStringLiteral("Incomplete reply from the time server")));
        return;
    }
    apply(localFromUtc(*utc, bias));
    OfferToSaveServer();
}

void TimeUpdate::SetTimeFromPicker(DayTime picker)
{
    if (m_busy)
        return;
    setBusy(true);
    const auto done = qScopeGuard([this] { setBusy(false); });
    apply(picker);
}

void TimeUpdate::apply(DayTime picker)
{
    const ClockAdjustment::Applied applied = m_adjustment.applyTimeOfDay(picker);
    emit clockSet(applied.target);
    if (applied.result == ClockSetter::Result::Set) {
        setPanel(1, Translate(QStringLiteral("Time changed by")) + changeAmountText(applied.change));
        setUndoAvailable(!splitChange(applied.change).underASecond());
        reportTotal();
    } else {
        // Nothing changed: the total stays as it stood, and the status says the set failed
        // rather than that the clock moved by less than a second.
        setPanel(1, Translate(QStringLiteral("Failed to set time")));
        reportRefusal(applied.result);
    }
}

void TimeUpdate::reportTotal()
{
    const double total = m_adjustment.TotalChange();
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

void TimeUpdate::UndoTimeChange(double x)
{
    if (m_busy)
        return;
    setBusy(true);
    const auto done = qScopeGuard([this] { setBusy(false); });
    undo(x);
}

void TimeUpdate::undo(double x)
{
    const ClockAdjustment::Undone undone = m_adjustment.undo(x);
    emit clockSet(undone.target);
    if (undone.result == ClockSetter::Result::Set) {
        setPanel(0, Translate(QStringLiteral("Last change undone")));
        setUndoAvailable(false);
    } else {
        reportRefusal(undone.result);
    }
}

void TimeUpdate::RevertTotalChange()
{
    // An update still waiting for its server would change the clock after the revert.
    if (m_busy)
        TimeClient1->Cancel();
    if (m_adjustment.TotalChange() != 0)
        undo(m_adjustment.TotalChange());
}

void TimeUpdate::OfferToSaveServer()
{
    LoadServerList(); // an adjust-time event may come before the page is ever made
    const QString name = m_host;
    if (containsServer(m_servers, name))
        return;
    m_servers.insert(m_order.insertPosition(m_servers, name), name);
    emit serversChanged();
    const QString question = Translate(QStringLiteral("Save ")) + QStringLiteral("\n\n") + name +
                             QStringLiteral("\n\n ") +
                             Translate(QStringLiteral("to the NTP Server data file?"));
    if (m_platform.messages.question(question, false) != platform::MessageBoxes::Answer::Yes)
        return; // the name stays in the list for the run; the file is left as it is
    const QString path = m_platform.folders.dataFile(ServerFileName);
    if (const platform::SaveResult saved = platform::saveWholeFile(path, serverListBytes(m_servers));
        !saved) {
        m_platform.messages.error(
            Translate(QStringLiteral("Cannot create file %s")).replace(QStringLiteral("%s"), path) +
            QStringLiteral("\n") + saved.error);
        return;
    }
    m_platform.messages.information(QStringLiteral("Veskel"),
                                    name + QStringLiteral("\n") +
                                        Translate(QStringLiteral("was saved to the data file")) +
                                        QStringLiteral(" ") + ServerFileName);
}

} // namespace nettime
