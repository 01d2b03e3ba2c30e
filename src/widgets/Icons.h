#pragma once

#include <QIcon>

namespace widgets {

// The program's pictures, drawn rather than shipped so they stay sharp at every size and scale.
// Each is drawn once per pixel size on a canvas of fixed units.

// The clock's menu: configure, exit, help and About; the time zones item is the globe.
enum class MenuPicture
{
    Configure,
    Exit,
    Help,
    About
};
QIcon menuIcon(MenuPicture picture);
// A screen with the clock's place on it, for the nine screen positions (tags 1 to 9).
QIcon screenPositionIcon(int tag);

// A globe with its meridian and equator: time zones wherever they are offered.
QIcon globeIcon();

// The configuration dialog's side bar, in its order: appearance, events, time adjustment, time
// zones.
QIcon sideBarIcon(int item);

// The five schedule kinds, One Time to Start (the event rows' icons and the schedule list's).
QIcon scheduleIcon(int kind);
// The header picture of the sorted column.
QIcon sortIcon(bool ascending);
// The four view styles of the event list, large icons to details.
QIcon viewStyleIcon(int style);

enum class EventPicture
{
    Add,
    Delete,
    Save,
    Details,
    OpenFile,
    AdjustTime,
    Agent
};
QIcon eventPicture(EventPicture picture);

} // namespace widgets
