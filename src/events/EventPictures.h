#pragma once

#include <QIcon>

namespace events {

// The pictures of the event editors, drawn rather than shipped so they stay sharp at every size.
// Each is drawn on a 32 x 32 canvas and comes at 16, 32 and 64 pixels.

// The five schedule kinds, One Time to Start (the rows' icons and the schedule list's).
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

} // namespace events
