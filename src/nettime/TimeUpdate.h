#pragma once

#include "nettime/ClockAdjustment.h"
#include "nettime/ServerList.h"
#include "platform/Platform.h"

#include <QObject>
#include <functional>

namespace platform {
class HostLookup;
}

namespace nettime {

class TTimeClient;
class ESockError;

// The update-time command and the account of what it changed: the time fetched from the chosen
// server, the clock set, the last change undone, every change of the run taken back, the server
// list with its offer to save a new name, and the two status texts that report it all. Start-up
// owns the one of the run; the Internet page shows and edits it, and an adjust-time event runs it
// whether or not the page was ever made.
class TimeUpdate final : public QObject
{
    Q_OBJECT

public:
    // `timeServer` is the setting that remembers the chosen server.
    TimeUpdate(const platform::Platform& platform, platform::HostLookup& lookup, QString& timeServer,
               QObject* parent = nullptr);
    ~TimeUpdate() override;

    TTimeClient* TimeClient1 = nullptr;
    // The RFC 868 port (the page's hidden port box).
    qint32 Port = 37;

    // The server to ask, as the server box shows it; the remembered one to begin with.
    const QString& Host() const { return m_host; }
    void setHost(const QString& host);
    // The list of servers, sorted as the box shows them.
    const QStringList& servers() const { return m_servers; }

    // UTC = local time + bias, in minutes, for the moment of asking. Until one is given, the
    // clock's own offset serves.
    void setLocalBias(std::function<qint32()> bias) { m_localBias = std::move(bias); }

    double LastChange() const { return m_adjustment.LastChange(); }
    double TotalChange() const { return m_adjustment.TotalChange(); }
    bool busy() const { return m_busy; }
    bool undoAvailable() const { return m_undoAvailable; }
    // Panel 0 carries the running total, panel 1 the server and the last change.
    QString panelText(int panel) const { return m_panels[panel]; }

    // Fills the list from NTPServers.dta, once in a run.
    void LoadServerList();
    // Sets the clock from the chosen server. While a command runs, another is not started: the
    // call returns at once (an adjust-time event due meanwhile is skipped; the update under way
    // sets the clock anyway).
    void UpdateTime();
    // Applies the time of day of a picker value to today's date.
    void SetTimeFromPicker(DayTime picker);
    // Takes x days off the clock.
    void UndoTimeChange(double x);
    // The configuration dialog closed other than with OK: every change since the last such close
    // goes back.
    void RevertTotalChange();

signals:
    void statusChanged(int panel, const QString& text);
    void busyChanged(bool busy);
    void undoAvailableChanged(bool available);
    void serversChanged();
    void hostChanged(const QString& host);
    // The clock was set (or asked to be) to this local time.
    void clockSet(const QDateTime& local);

private:
    void wireTimeClient();
    void setPanel(int panel, const QString& text);
    void setBusy(bool busy);
    void setUndoAvailable(bool available);
    void apply(DayTime picker);
    void undo(double x);
    void OfferToSaveServer();
    void reportRefusal(platform::ClockSetter::Result result);
    void reportTotal();
    QString failureText(const ESockError& failure) const;
    qint32 localBias() const;

    const platform::Platform m_platform;
    QString& m_timeServer;
    ClockAdjustment m_adjustment;
    ServerOrder m_order;
    QStringList m_servers;
    QString m_host;
    std::function<qint32()> m_localBias;
    QString m_panels[2];
    bool m_listLoaded = false;
    bool m_busy = false;
    bool m_undoAvailable = false;
};

} // namespace nettime
