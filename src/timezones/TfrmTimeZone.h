#pragma once

#include <QWidget>

namespace timezones {

// The time-zone browser. It is the last window made at start-up; when it exists, start-up is
// complete and the clock begins to tick.
class TfrmTimeZone final : public QWidget
{
    Q_OBJECT

public:
    TfrmTimeZone(bool& startupComplete, QWidget* parent = nullptr);

    void showWindow();
};

} // namespace timezones
