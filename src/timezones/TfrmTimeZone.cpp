#include "timezones/TfrmTimeZone.h"

#include "lang/Translate.h"

namespace timezones {

TfrmTimeZone::TfrmTimeZone(bool& startupComplete, QWidget* parent) : QWidget(parent, Qt::Window)
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
