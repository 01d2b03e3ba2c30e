#pragma once

#include <QDBusConnection>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <QVariantMap>
#include <optional>

namespace platform {

// Tells when the machine's own time zone changes. This one never tells: where nothing can be
// watched, the zone read at start holds.
class SystemZoneWatch : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    void changed();
};

// The desktop's zone, watched two ways: systemd-timedated's Timezone property over D-Bus, and
// the zone file (/etc/localtime) replaced or rewritten by whatever does not go through
// timedated. A change is told once, a moment after its last sign, when the C library's local
// time already keeps the new zone.
class DesktopSystemZoneWatch final : public SystemZoneWatch
{
    Q_OBJECT

public:
    // Without a bus of its own the system bus is watched.
    explicit DesktopSystemZoneWatch(std::optional<QDBusConnection> bus = std::nullopt,
                                    QString zoneFile = QStringLiteral("/etc/localtime"));

    // Signs of one change come together: timedated replaces the file and then says so.
    static constexpr int SettleMs = 100;

private slots:
    void timedatedPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                    const QStringList& invalidated);

private:
    void zoneFileTouched();
    // What the zone file is now: where its link points, and the file's identity and time.
    QByteArray zoneFileIdentity() const;
    void settled();

    QString m_zoneFile;
    QByteArray m_identity;
    QFileSystemWatcher m_files;
    QTimer m_settle;
};

} // namespace platform
