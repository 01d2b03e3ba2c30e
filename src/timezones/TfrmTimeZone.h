#pragma once

#include "platform/Platform.h"
#include "timezones/ZoneTable.h"

#include <QWidget>
#include <optional>

namespace timezones {

// The time-zone browser. It is the last window made at start-up, and when it exists, start-up
// is complete and the clock begins to tick. The zone database is read when the zones are first
// needed, not at start: most runs never look at them.
class TfrmTimeZone final : public QWidget
{
    Q_OBJECT

public:
    TfrmTimeZone(const platform::Platform& platform, bool& startupComplete, QWidget* parent = nullptr);

    // The zones, the machine's own zone first; read on the first call.
    const ZoneTable& Zones();
    bool zonesLoaded() const { return m_zones.has_value(); }
    // The machine's own zone's biases and rules, without reading the others (for the local
    // offset to UTC).
    const TRegTZI& LocalRules();
    int RuleYear() const { return m_ruleYear; }

    void showWindow();

private:
    const platform::Platform m_platform;
    QDateTime m_createdAt; // the rule year and the zones are those of this moment
    int m_ruleYear = 0;
    std::optional<TRegTZI> m_localRules;
    std::optional<ZoneTable> m_zones;
};

} // namespace timezones
