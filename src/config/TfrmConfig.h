#pragma once

#include <QDialog>

namespace app {
class TfrmClock;
}

namespace config {

// The configuration dialog: created hidden at start and shown without blocking the clock.
class TfrmConfig final : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmConfig(app::TfrmClock& clock, QWidget* parent = nullptr);

    // Shows the dialog, restoring it first when minimised.
    void showDialog();

private:
    app::TfrmClock& m_clock;
};

} // namespace config
