#pragma once

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QToolButton;

namespace timezones {

// The configuration dialog's time zones page: the machine's own zone in a group "Local Time
// Zone", copied from the time zones window the first time the page is shown, and a button that
// opens that window. The group stays centred in the page.
class LocalZonePage final : public QWidget
{
    Q_OBJECT

public:
    explicit LocalZonePage(QWidget* parent = nullptr);

    QGroupBox* gpTimeZones = nullptr;
    QLabel* lblTZBias = nullptr;
    QGroupBox* gpStandardName = nullptr;
    QLabel* lblStandardDesc = nullptr;
    QLabel* lblStandardDT = nullptr;
    QGroupBox* gpDaylightName = nullptr;
    QLabel* lblDaylightDesc = nullptr;
    QLabel* lblDaylightDT = nullptr;
    QCheckBox* chkDaylightSavingNow = nullptr;
    QLabel* Label34 = nullptr;
    QToolButton* btnTimeZones = nullptr;

    static constexpr int GroupWidth = 225;
    static constexpr int GroupHeight = 222;

    // Gives the group the height its texts need (at least its own) and centres it again; called
    // whenever its texts change.
    void fitGroup();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void placeGroup();
};

} // namespace timezones
