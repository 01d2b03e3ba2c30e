#pragma once

#include "events/EventRecord.h"
#include "platform/Platform.h"

#include <QWidget>
#include <array>

class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QItemSelectionModel;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QStackedWidget;
class QTimeEdit;
class QTimer;
class QToolButton;
class QTreeView;

namespace events {

class EventList;
class EventListLook;
class EventStorage;
class HourlyField;
class TfrmEventDetails;

// "Schedule an Event": the event list itself, with the name, schedule and active state of the
// selected event above it. Every edit changes the shared list at once, so the scheduler sees it
// from the next second on; the save button shows that the file lags behind.
class EventsPage final : public QWidget
{
    Q_OBJECT

public:
    EventsPage(EventList& list, EventStorage& storage, TfrmEventDetails& details,
               const platform::Platform& services, QWidget* parent = nullptr);

    // The fields of the selected event.
    QGroupBox* gpEvents = nullptr;
    QLineEdit* txtWhat = nullptr;
    QComboBox* cboSchedule = nullptr;
    QLabel* lblDate = nullptr;
    QDateEdit* DTPDate = nullptr;
    QComboBox* cboWeekdays = nullptr;
    QLabel* lblSelectTime = nullptr;
    QTimeEdit* DTPTime = nullptr;
    QWidget* pnlHourly = nullptr;
    HourlyField* txtHourlyMin = nullptr;
    HourlyField* txtHourlySec = nullptr;
    QCheckBox* chkActive = nullptr;
    QLabel* lblPassed = nullptr; // "This event's time has passed"
    // The tool bar.
    QToolButton* btnLV = nullptr;
    QToolButton* btnAdd = nullptr;
    QToolButton* btnDelete = nullptr;
    QToolButton* btnSave = nullptr;
    QToolButton* btnEventDetails = nullptr;
    // The list: one view for the three icon styles, one for the details, sharing one selection.
    QStackedWidget* LV = nullptr;
    QListView* lvIcons = nullptr;
    QTreeView* lvReport = nullptr;
    QItemSelectionModel* selection = nullptr;
    // The list's context menu, also the view-style button's menu.
    QMenu* popLV = nullptr;
    std::array<QAction*, 4> mnuViewStyle{}; // Large Icons, Small Icons, List, Details
    QAction* SelectAll1 = nullptr;
    QAction* Add1 = nullptr;
    QAction* Delete1 = nullptr;
    QAction* EventDetails1 = nullptr;

    // The sorted column and its direction: +column ascending, -column descending; 1 is the name.
    int SortColumn = 1;

    // The first selected row, or -1.
    int selectedRow() const;
    QList<int> selectedRows() const;
    // Selects exactly this row and makes it current.
    void selectRow(int row);

    // Each time the configuration dialog is shown: the menu takes the buttons' hints, the top
    // row is selected and shown, and nothing is unsaved yet.
    void prepareForShow();
    void focusList();

    // Handlers.
    void LVSelectItem();
    void cboScheduleClick(int kind);
    void DTPDateChange();
    void DTPTimeChange();
    void cboWeekdaysChange(int weekday);
    void txtWhatChange(const QString& text);
    void hourlyChange();
    void chkActiveClick(bool checked);
    void LVEdited(int row);
    void btnAddClick();
    void btnDeleteClick();
    void btnSaveClick();
    // Opens the details of the selected row; false when they were cancelled.
    bool btnEventDetailsClick();
    void btnLVClick();
    void Icons1Click(int style);
    void SelectAll1Click();
    void popLVPopup(const QPoint& at);
    void LVColumnClick(int column);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildFields();
    void buildList();
    void buildMenu();
    void applyLayout(int kind);
    void showViewStyle(int style);
    QSize smallIconGrid() const;
    void enableSave();
    // The fields again from the selected row, after another changed it.
    void showSelectedRow();
    void showWhetherPassed();
    // A field edit of the selected row: the fields show it already.
    void writeRow(int row, const EventRecord& values);
    QString dateText(const QDate& date) const;
    QString timeText(const QTime& time) const;
    QString hourlyText() const;
    int todaysWeekday() const;

    EventList& m_list;
    EventStorage& m_storage;
    TfrmEventDetails& m_details;
    platform::Platform m_platform;
    EventListLook* m_look = nullptr;
    QLabel* m_lblSchedule = nullptr;
    QStackedWidget* m_dayPlace = nullptr;
    QStackedWidget* m_timePlace = nullptr;
    QTimer* m_clockWatch = nullptr;
    bool m_filling = false;
    bool m_quietFill = false;
    bool m_editing = false;
    bool m_adding = false;
};

} // namespace events
