#pragma once

#include "app/ClockTypes.h"
#include "config/AppearanceSnapshot.h"
#include "events/EventList.h"
#include "events/EventStorage.h"

#include <QDialog>
#include <functional>

class QListWidget;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTimer;

namespace app {
class TfrmClock;
}
namespace events {
class EventsPage;
class TfrmEventDetails;
} // namespace events

namespace nettime {
class InternetPage;
class TimeUpdate;
} // namespace nettime
namespace timezones {
class LocalZonePage;
}

namespace config {

class AppearancePage;

// The configuration dialog: made hidden at start and shown again and again without blocking
// the clock. A side bar picks one of four pages; appearance changes show on the clock at once,
// OK keeps them, Cancel, Escape and the close box put back the looks the clock had.
class TfrmConfig final : public QDialog
{
    Q_OBJECT

public:
    enum SideItem
    {
        ItemAppearance,
        ItemEvents,
        ItemAdjustTime,
        ItemTimeZones
    };
    enum class Result
    {
        None,
        OK,
        Cancel
    };

    TfrmConfig(app::TfrmClock& clock, events::EventList& events, events::EventStorage& storage,
               events::TfrmEventDetails& eventDetails, nettime::TimeUpdate& timeUpdate,
               QWidget* parent = nullptr);

    // Shows the dialog, restoring it first when minimised.
    void showDialog();

    // What the events page tells the frame: whether it holds unsaved changes, and how to save
    // or drop them.
    struct EventChanges
    {
        std::function<bool()> unsaved;
        std::function<void()> save;
        std::function<void()> reload;
        std::function<void()> markSaved;
    };
    void setEventChanges(EventChanges changes) { m_events = std::move(changes); }

    QListWidget* lvSide = nullptr;
    QStackedWidget* pgc = nullptr;
    QMenu* popSide = nullptr;
    QAction* BackgroundColor1 = nullptr;
    QAction* Font1 = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnHelp = nullptr;
    AppearancePage* tabAppearance = nullptr;
    events::EventsPage* tabAlarms = nullptr;
    nettime::InternetPage* tabInternet = nullptr;
    timezones::LocalZonePage* tabTimeZones = nullptr;
    QTimer* tmr = nullptr; // runs only while "Adjust the Time" is shown

    // The run's event list and its file, shared with the scheduler and the editors.
    events::EventList& Events;
    events::EventStorage& Storage;

    AppearanceSnapshot Snapshot;
    Result DialogResult = Result::None;

    int helpContext() const { return m_helpContext; }
    int rememberedItem() const { return m_remembered; }

    void lvSideSelectItem(int item);
    void BackgroundColor1Click();
    void Font1Click();
    void btnHelpClick();
    // False keeps the dialog open (the events question was cancelled).
    bool FormCloseQuery();

signals:
    // The time zones page was chosen; the time zones window fills it the first time.
    void timeZonesPageShown();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void FormShow();
    bool FormClose();
    void colourSideBar();
    void chooseSideBarColour(app::TColor& colour);
    QWidget* placeholderPage(const QString& title);

    app::TfrmClock& m_clock;
    nettime::TimeUpdate& m_timeUpdate;
    EventChanges m_events;
    int m_remembered = ItemEvents;
    int m_helpContext = 0;
    bool m_placed = false;
};

} // namespace config
