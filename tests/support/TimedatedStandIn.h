#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

namespace fakes {

// A bus of the test's own, with python-dbusmock's stand-in for systemd-timedated on it. Nothing
// of the machine's own buses is touched, and no real clock is set.
class TimedatedStandIn
{
public:
    TimedatedStandIn();
    ~TimedatedStandIn();
    bool ready() const { return skipReason.isEmpty(); }

    // Starts the stand-in timedated; every call it takes is written to its log.
    bool startService();
    void stopService();
    // What SetTime does from now on (python, with `args` and `self`); empty: take the call.
    void setTimeDoes(const QString& code);
    // "SetTime <usec> <relative> <interactive>" for every call taken, in order.
    QStringList calls() const;
    // The changes asked for, in microseconds.
    QList<qint64> changesAsked() const;

    QString skipReason;
    QString address;
    std::optional<QDBusConnection> bus;

private:
    QString m_python;
    QProcess m_daemon;
    QProcess m_service;
    QTemporaryDir m_dir;
};

} // namespace fakes
