#pragma once

#include "timezones/ZoneTable.h"

#include <QObject>
#include <optional>

namespace platform {
class Clock;
class SystemZoneWatch;
class TimeZoneSource;
} // namespace platform

namespace timezones {

// The zone rules of the year the local clock is in: the machine's own zone's at once, every
// zone's when first asked for. They are built again when the year turns or the machine's zone
// changes, and whatever shows a time or a date of them is told to show it afresh.
//
// Only bringUpToDate() builds them again; the accessors never do, so what one hands out stays
// good until the caller next brings them up to date.
class ZoneRules final : public QObject
{
    Q_OBJECT

public:
    ZoneRules(const platform::TimeZoneSource& source, platform::SystemZoneWatch& watch,
              platform::Clock& clock);

    // Builds the rules again when the local year is no longer theirs.
    void bringUpToDate();

    int RuleYear() const { return m_ruleYear; }
    // The machine's own zone's biases and rules, without reading the others.
    const TRegTZI& LocalRules();
    // Every zone, the machine's own first; read on the first call.
    const ZoneTable& Zones();
    bool zonesLoaded() const { return m_zones.has_value(); }
    // One place's record for the rule year, made from its zone alone: the machine's own for an
    // empty id. None for a zone the database does not know.
    std::optional<TRegTZI> recordOf(const QByteArray& zone) const;

    const platform::TimeZoneSource& source() const { return m_source; }

signals:
    // The rules were built again: a new year, or another zone for this machine. Told from the
    // event loop, never from inside the call that found it.
    void changed();

private:
    void rebuild();

    const platform::TimeZoneSource& m_source;
    platform::Clock& m_clock;
    int m_ruleYear = 0;
    std::optional<TRegTZI> m_local;
    std::optional<ZoneTable> m_zones;
};

} // namespace timezones
