#include "platform/TimeZoneSource.h"

#include <QFile>
#include <QSet>

namespace platform {

QtTimeZoneSource::QtTimeZoneSource(const QString& tzdataLinks, const QString& zoneTab)
{
    readPlaces(zoneTab);
    QFile file(tzdataLinks);
    if (!file.open(QIODevice::ReadOnly) || file.size() > (qint64(8) << 20))
        return; // without the links, zones known only by new names have no Windows id
    while (!file.atEnd()) {
        const QByteArray line = file.readLine(4096).trimmed();
        if (!line.startsWith("L "))
            continue;
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() != 3)
            continue;
        m_linkTarget.insert(fields[2], fields[1]);
        m_linksOf.insert(fields[1], fields[2]);
    }
}

void QtTimeZoneSource::readPlaces(const QString& zoneTab)
{
    // Lines of country code, position, zone and an optional note, tab apart. Read here, the
    // places cost no zone of their own to be listed.
    QFile file(zoneTab);
    if (file.open(QIODevice::ReadOnly) && file.size() <= (qint64(1) << 20)) {
        while (!file.atEnd()) {
            const QByteArray line = file.readLine(4096).trimmed();
            const QList<QByteArray> fields = line.split('\t');
            if (line.startsWith('#') || fields.size() < 3 || !QTimeZone::isTimeZoneIdAvailable(fields[2]))
                continue;
            const QLocale::Territory country = QLocale::codeToTerritory(QString::fromLatin1(fields[0]));
            m_places.append({fields[2], QLocale::territoryToString(country),
                             fields.size() > 3 ? QString::fromUtf8(fields[3]) : QString()});
        }
    }
    if (!m_places.isEmpty())
        return;
    // Without the table, Qt's zones that lie in a country.
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) {
        const QTimeZone zone(id);
        if (zone.territory() != QLocale::AnyTerritory)
            m_places.append({id, QLocale::territoryToString(zone.territory()), zone.comment()});
    }
}

QByteArray QtTimeZoneSource::windowsIdOf(const QByteArray& ianaId) const
{
    QByteArray windows = QTimeZone::ianaIdToWindowsId(ianaId);
    for (auto it = m_linksOf.constFind(ianaId);
         windows.isEmpty() && it != m_linksOf.constEnd() && it.key() == ianaId; ++it)
        windows = QTimeZone::ianaIdToWindowsId(it.value());
    return windows;
}

QByteArray QtTimeZoneSource::known(const QByteArray& ianaId) const
{
    if (QTimeZone::isTimeZoneIdAvailable(ianaId))
        return ianaId;
    const QByteArray target = m_linkTarget.value(ianaId);
    return QTimeZone::isTimeZoneIdAvailable(target) ? target : QByteArray();
}

QList<QByteArray> QtTimeZoneSource::windowsIds() const
{
    QSet<QByteArray> ids;
    for (const QByteArray& iana : QTimeZone::availableTimeZoneIds()) {
        const QByteArray windows = windowsIdOf(iana);
        if (!windows.isEmpty())
            ids.insert(windows);
    }
    QList<QByteArray> sorted(ids.begin(), ids.end());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

QList<QByteArray> QtTimeZoneSource::memberZones(const QByteArray& windowsId) const
{
    QList<QByteArray> members;
    for (const QByteArray& iana : QTimeZone::windowsIdToIanaIds(windowsId)) {
        const QByteArray id = known(iana);
        if (!id.isEmpty() && !members.contains(id))
            members << id;
    }
    return members;
}

QByteArray QtTimeZoneSource::defaultZone(const QByteArray& windowsId) const
{
    const QByteArray id = known(QTimeZone::windowsIdToDefaultIanaId(windowsId));
    if (!id.isEmpty())
        return id;
    const QList<QByteArray> members = memberZones(windowsId);
    return members.isEmpty() ? QByteArray() : members.constFirst();
}

QTimeZone QtTimeZoneSource::zone(const QByteArray& ianaId) const
{
    return QTimeZone(ianaId);
}

QTimeZone QtTimeZoneSource::systemZone() const
{
    return QTimeZone::systemTimeZone();
}

} // namespace platform
