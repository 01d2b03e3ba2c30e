#pragma once

#include "nettime/ClockAdjustment.h"
#include "nettime/ServerList.h"
#include "nettime/ServerListLoad.h"
#include "platform/DataFile.h"
#include "platform/Platform.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace platform {
class HostLookup;
}

namespace nettime {

class TTimeClient;
class TimeQuery;
class ESockError;
struct ServerAddress;
struct TimeSample;

// The update-time command and the account of what it changed: the time fetched from the chosen
// server, the clock set, the last change undone, every change of the run taken back, the server
// list with its offer to save a new name, and the two status texts that report it all. Start-up
// owns the one of the run; the Internet page shows and edits it, and an adjust-time event runs it
// whether or not the page was ever made.
//
// It works in instants: the server's time is an instant, each change the difference of two, and
// the system's zone rules turn an instant into wall-clock time only where the user picks one.
// One command runs at a time; a command waits with the event loop running, so what comes in
// meanwhile (a due event, a click) finds the command busy and does nothing, except a revert, which
// ends a fetch at once and otherwise waits for the change under way to be answered.
class TimeUpdate final : public QObject
{
    Q_OBJECT

public:
    // `timeServer` and `timeOut` are the settings that remember the chosen server and how long a
    // server is waited for, in milliseconds.
    TimeUpdate(const platform::Platform& platform, platform::HostLookup& lookup, QString& timeServer,
               qint32& timeOut, QObject* parent = nullptr);

    // The longest time-out the page offers; 0 waits until the server answers or the wait is
    // stopped.
    static constexpr int MaxTimeOutMs = 20000;
    // A list longer than this is asked for its first servers only.
    static constexpr int MaxServersAsked = 64;
    ~TimeUpdate() override;

    TTimeClient* TimeClient1 = nullptr;
    // The RFC 868 port (the page's hidden port box).
    qint32 Port = 37;

    // The server to ask, as the server box shows it; the remembered one to begin with.
    const QString& Host() const { return m_host; }
    void setHost(const QString& host);
    // The list of servers, sorted as the box shows them.
    const QStringList& servers() const { return m_servers; }

    // In milliseconds.
    qint64 LastChange() const { return m_adjustment.LastChange(); }
    qint64 TotalChange() const { return m_adjustment.TotalChange(); }
    bool busy() const { return m_busy; }
    bool undoAvailable() const { return m_undoAvailable; }
    // Panel 0 carries the running total, panel 1 the server and the last change.
    QString panelText(int panel) const { return m_panels[panel]; }

    // Fills the list from NTPServers.dta, once in a run; the list follows when it has been read.
    void LoadServerList();
    // Sets the clock from the chosen server.
    void UpdateTime();
    // Sets the clock to a time of day picked by hand: the instant nearest the clock at which the
    // system's zone shows that time.
    void SetTimeFromPicker(const QTime& picked);
    // Takes x milliseconds off the clock.
    void UndoTimeChange(qint64 x);
    // The configuration dialog closed other than with OK: every change since the last such close
    // goes back, a change still waiting for the system's answer included.
    void RevertTotalChange();
    // Asks every listed server at once, and chooses the quickest one whose time can be right.
    // Each server's result is shown.
    void FindFastestServer();
    // Ends a fetch or a search that is under way.
    void cancel();

    int timeOut() const;
    void setTimeOut(int ms);

signals:
    void statusChanged(int panel, const QString& text);
    void busyChanged(bool busy);
    void undoAvailableChanged(bool available);
    void serversChanged();
    void hostChanged(const QString& host);
    // The clock was changed, or asked to be.
    void clockChanged();

private:
    void wireTimeClient();
    void takeServerList();
    void waitForServerList();
    void setPanel(int panel, const QString& text);
    void setBusy(bool busy);
    // Runs a command unless one runs already; a revert asked for meanwhile follows it.
    // Not a template: it calls itself for the revert, and a template would instantiate without end.
    void runAlone(const std::function<void()>& command);
    std::optional<TimeSample> fetch(const QString& server);
    std::optional<TimeSample> fetchNtp(const ServerAddress& address);
    void apply(qint64 delta);
    void undo(qint64 x);
    void reportFastest(const QStringList& names, const std::vector<std::unique_ptr<TimeQuery>>& queries);
    void OfferToSaveServer(const QString& name);
    void reportRefusal(platform::ClockSetter::Result result);
    void reportTotal();
    void tellNoServer();
    QString failureText(const ESockError& failure) const;
    QString impossibleTime(qint64 serverMs) const;

    const platform::Platform m_platform;
    platform::HostLookup& m_lookup;
    QString& m_timeServer;
    qint32& m_timeOut;
    QList<TimeQuery*> m_queries; // the NTP fetch or the search under way
    ClockAdjustment m_adjustment;
    ServerOrder m_order;
    platform::DataFile m_serverFile;
    QStringList m_servers;
    QString m_host;
    QString m_asking; // the server of the fetch under way
    QString m_panels[2];
    std::unique_ptr<ServerListLoad> m_load;
    bool m_listTaken = false;
    bool m_busy = false;
    bool m_revertWanted = false;
    bool m_undoAvailable = false;
    bool m_toldNoServer = false;
};

} // namespace nettime
