#include "config/TfrmConfig.h"

#include "app/TfrmClock.h"
#include "lang/Translate.h"

namespace config {

TfrmConfig::TfrmConfig(app::TfrmClock& clock, QWidget* parent) : QDialog(parent), m_clock(clock)
{
    setWindowTitle(Translate(QStringLiteral("Configure Clock")));
    resize(513, 404);
}

void TfrmConfig::showDialog()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

} // namespace config
