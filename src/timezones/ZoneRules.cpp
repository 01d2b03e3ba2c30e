#include "timezones/ZoneRules.h"

#include "platform/Clock.h"
#include "platform/SystemZoneWatch.h"
#include "platform/TimeZoneSource.h"

#include <QTimer>

namespace timezones {

ZoneRules::ZoneRules(const platform::TimeZoneSource& source, platform::SystemZoneWatch& watch,
                     platform::Clock& clock)
    : m_source(source), m_clock(clock), m_ruleYear(clock.now().date().year())
{
    connect(&watch, &platform::SystemZoneWatch::changed, this, &ZoneRules::rebuild);
}

void ZoneRules::bringUpToDate()
{
    if (m_clock.now().date().year() != m_ruleYear)
        rebuild();
}

void ZoneRules::rebuild()
{
    m_ruleYear = m_clock.now().date().year();
    m_local.reset();
    m_zones.reset(); // read again when next asked for: only what is shown needs them
    QTimer::singleShot(0, this, &ZoneRules::changed);
}

const TRegTZI& ZoneRules::LocalRules()
{
    if (m_zones)
        return m_zones->local();
    if (!m_local)
        m_local = ZoneTable::localRules(m_source, m_ruleYear);
    return *m_local;
}

const ZoneTable& ZoneRules::Zones()
{
    if (!m_zones)
        m_zones = ZoneTable::load(m_source, QDateTime(QDate(m_ruleYear, 1, 1), QTime(12, 0)));
    return *m_zones;
}

std::optional<TRegTZI> ZoneRules::recordOf(const QByteArray& zone) const
{
    if (zone.isEmpty())
        return ZoneTable::localRecord(m_source, m_ruleYear);
    const QTimeZone found = m_source.zone(zone);
    if (!found.isValid())
        return std::nullopt;
    return recordFor(found, m_ruleYear);
}

} // namespace timezones
