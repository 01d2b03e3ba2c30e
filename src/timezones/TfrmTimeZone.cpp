#include "timezones/TfrmTimeZone.h"

#include "lang/Translate.h"
#include "platform/Platform.h"

namespace timezones {

TfrmTimeZone::TfrmTimeZone(const platform::Platform& platform, bool& startupComplete, QWidget* parent)
    : QWidget(parent, Qt::Window), m_platform(platform), m_createdAt(platform.clock.now()),
      m_ruleYear(m_createdAt.date().year())
{
    setWindowTitle(Translate(QStringLiteral("Time Zones")));
    resize(546, 436);
    startupComplete = true;
}

const ZoneTable& TfrmTimeZone::Zones()
{
    if (!m_zones)
        m_zones = ZoneTable::load(m_platform.timeZones, m_createdAt);
    return *m_zones;
}

const TRegTZI& TfrmTimeZone::LocalRules()
{
    if (m_zones)
        return m_zones->local();
    if (!m_localRules)
        m_localRules = ZoneTable::localRules(m_platform.timeZones, m_ruleYear);
    return *m_localRules;
}

void TfrmTimeZone::showWindow()
{
    Zones();
    show();
    raise();
    activateWindow();
}

} // namespace timezones
