#include "platform/SystemZoneWatch.h"

#include <QFileInfo>

#include <ctime>
#include <sys/stat.h>

namespace platform {

DesktopSystemZoneWatch::DesktopSystemZoneWatch(std::optional<QDBusConnection> bus, QString zoneFile)
    : m_zoneFile(std::move(zoneFile)), m_identity(zoneFileIdentity())
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &DesktopSystemZoneWatch::settled);

    // The folder tells of the file replaced (a new link, a rename over it); the file itself of
    // its contents rewritten.
    m_files.addPath(QFileInfo(m_zoneFile).absolutePath());
    m_files.addPath(m_zoneFile);
    connect(&m_files, &QFileSystemWatcher::directoryChanged, this, &DesktopSystemZoneWatch::zoneFileTouched);
    connect(&m_files, &QFileSystemWatcher::fileChanged, this, &DesktopSystemZoneWatch::zoneFileTouched);

    QDBusConnection connection = bus ? *bus : QDBusConnection::systemBus();
    if (connection.isConnected())
        connection.connect(
            QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("/org/freedesktop/timedate1"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"), this,
            SLOT(timedatedPropertiesChanged(QString, QVariantMap, QStringList)));
}

void DesktopSystemZoneWatch::timedatedPropertiesChanged(const QString&, const QVariantMap& changed,
                                                        const QStringList& invalidated)
{
    const QString zone = QStringLiteral("Timezone");
    if (changed.contains(zone) || invalidated.contains(zone))
        m_settle.start();
}

QByteArray DesktopSystemZoneWatch::zoneFileIdentity() const
{
    struct stat st
    {
    };
    const QByteArray name = QFile::encodeName(m_zoneFile);
    if (::stat(name.constData(), &st) != 0)
        return QByteArray();
    return QFile::encodeName(QFileInfo(m_zoneFile).symLinkTarget()) + ' ' +
           QByteArray::number(qulonglong(st.st_dev)) + ' ' + QByteArray::number(qulonglong(st.st_ino)) + ' ' +
           QByteArray::number(qlonglong(st.st_size)) + ' ' +
           QByteArray::number(qlonglong(st.st_mtim.tv_sec)) + '.' +
           QByteArray::number(qlonglong(st.st_mtim.tv_nsec));
}

void DesktopSystemZoneWatch::zoneFileTouched()
{
    // A file replaced drops out of the watch: it is watched again under its name.
    if (!m_files.files().contains(m_zoneFile) && QFileInfo::exists(m_zoneFile))
        m_files.addPath(m_zoneFile);
    const QByteArray now = zoneFileIdentity();
    if (now == m_identity)
        return; // another file of the folder
    m_identity = now;
    m_settle.start();
}

void DesktopSystemZoneWatch::settled()
{
    // The C library reads the zone file again only when asked: the local time of the whole
    // program follows the new zone from here on.
    tzset();
    emit changed();
}

} // namespace platform
