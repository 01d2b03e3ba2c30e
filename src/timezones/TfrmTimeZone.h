#pragma once

#include "timezones/ZoneTable.h"

#include <QWidget>

namespace platform {
struct Platform;
}

namespace timezones {

// The time-zone browser. It is the last window made at start-up: it reads the zones, and when it
// exists, start-up is complete and the clock begins to tick.
class TfrmTimeZone final : public QWidget
{
    Q_OBJECT

public:
    TfrmTimeZone(const platform::Platform& platform, bool& startupComplete, QWidget* parent = nullptr);

    // The zones, read once: the machine's own zone first.
    ZoneTable Zones;

    void showWindow();
};

} // namespace timezones
