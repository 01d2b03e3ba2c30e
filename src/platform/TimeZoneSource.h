#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMultiHash>
#include <QString>
#include <QTimeZone>

namespace platform {

// The system's time-zone definitions and the machine's own zone.
class TimeZoneSource
{
public:
    virtual ~TimeZoneSource() = default;
    // The Windows zone ids that the known zones fall into (each once, sorted).
    virtual QList<QByteArray> windowsIds() const = 0;
    // The known zones of a Windows id, and the one that stands for it.
    virtual QList<QByteArray> memberZones(const QByteArray& windowsId) const = 0;
    virtual QByteArray defaultZone(const QByteArray& windowsId) const = 0;
    virtual QTimeZone zone(const QByteArray& ianaId) const = 0;
    virtual QTimeZone systemZone() const = 0;
    // Every place the zone database names (its zone.tab): the zones of a country or a part of
    // one, without the offsets and aliases that name no place; with the country's name and the
    // database's note on the place ("most of Germany").
    struct Place
    {
        QByteArray zone;
        QString country;
        QString note;
    };
    virtual QList<Place> places() const = 0;
};

// Qt's zones, with the tz database's links ("Asia/Calcutta" for "Asia/Kolkata") to find the
// Windows id of a zone known by its newer name.
class QtTimeZoneSource final : public TimeZoneSource
{
public:
    explicit QtTimeZoneSource(const QString& tzdataLinks = QStringLiteral("/usr/share/zoneinfo/tzdata.zi"),
                              const QString& zoneTab = QStringLiteral("/usr/share/zoneinfo/zone.tab"));

    QList<QByteArray> windowsIds() const override;
    QList<QByteArray> memberZones(const QByteArray& windowsId) const override;
    QByteArray defaultZone(const QByteArray& windowsId) const override;
    QTimeZone zone(const QByteArray& ianaId) const override;
    QTimeZone systemZone() const override;
    QList<Place> places() const override { return m_places; }

private:
    void readPlaces(const QString& zoneTab);
    QByteArray windowsIdOf(const QByteArray& ianaId) const;
    // An id this system knows: the id itself, or the zone it links to.
    QByteArray known(const QByteArray& ianaId) const;

    QHash<QByteArray, QByteArray> m_linkTarget;   // old name -> zone
    QMultiHash<QByteArray, QByteArray> m_linksOf; // zone -> its old names
    QList<Place> m_places;
};

} // namespace platform
