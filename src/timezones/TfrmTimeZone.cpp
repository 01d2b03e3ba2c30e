#include "timezones/TfrmTimeZone.h"

#include "lang/Translate.h"
#include "platform/Platform.h"

namespace timezones {

TfrmTimeZone::TfrmTimeZone(const platform::Platform& platform, bool& startupComplete, QWidget* parent)
    : QWidget(parent, Qt::Window), Zones(ZoneTable::load(platform.timeZones, platform.clock.now()))
{
    setWindowTitle(Translate(QStringLiteral("Time Zones")));
    resize(546, 436);
    startupComplete = true;
}

void TfrmTimeZone::showWindow()
{
    show();
    raise();
    activateWindow();
}

} // namespace timezones
