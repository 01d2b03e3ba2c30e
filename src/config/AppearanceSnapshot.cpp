#include "config/AppearanceSnapshot.h"

#include "app/TfrmClock.h"

namespace config {

AppearanceSnapshot AppearanceSnapshot::take(const app::TfrmClock& clock)
{
    const app::ClockSettings& s = clock.Settings;
    AppearanceSnapshot snapshot;
    snapshot.bounds = clock.geometry();
    snapshot.secHand = s.SecHand;
    snapshot.minHand = s.MinHand;
    snapshot.hourHand = s.HourHand;
    snapshot.color = s.Color;
    snapshot.onTop = s.OnTop;
    snapshot.onTray = s.OnTray;
    snapshot.pictureFile = s.PictureFile;
    snapshot.shape = s.Shape;
    snapshot.iconHourHandColor = s.IconHourHandColor;
    snapshot.iconMinHandColor = s.IconMinHandColor;
    return snapshot;
}

bool AppearanceSnapshot::restore(app::TfrmClock& clock) const
{
    app::ClockSettings& s = clock.Settings;
    clock.setGeometry(bounds);
    s.SecHand = secHand;
    s.MinHand = minHand;
    s.HourHand = hourHand;
    s.Color = color;
    clock.SetOnTop(onTop); // the window's state and the menu tick follow at once
    s.PictureFile = pictureFile;
    if (pictureFile.isEmpty()) {
        clock.ClearPicture();
    } else if (!clock.LoadPictureOrReport()) {
        return false;
    }
    s.Shape = shape;
    clock.ApplyShape(true);
    s.IconHourHandColor = iconHourHandColor;
    s.IconMinHandColor = iconMinHandColor;
    clock.UpdateIcons();
    clock.tmrTimer();
    return true;
}

} // namespace config
