#pragma once

#include "app/ClockTypes.h"

#include <QRect>
#include <QString>

namespace app {
class TfrmClock;
}

namespace config {

// The clock's looks as they were when the configuration dialog was shown, for Cancel to put back.
struct AppearanceSnapshot
{
    QRect bounds;
    app::HandStyle secHand{}, minHand{}, hourHand{};
    app::TColor color = 0;
    bool onTop = false;
    bool onTray = true; // taken, but not put back: the tray choice stands once made
    QString pictureFile;
    int shape = 0;
    app::TColor iconHourHandColor = 0;
    app::TColor iconMinHandColor = 0;

    static AppearanceSnapshot take(const app::TfrmClock& clock);
    // Puts the looks back. A picture that can no longer be loaded stops the restoring there and
    // is reported: then the result is false.
    bool restore(app::TfrmClock& clock) const;
};

} // namespace config
