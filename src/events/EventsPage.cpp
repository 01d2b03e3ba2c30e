#include "events/EventsPage.h"

#include "core/DateTimeText.h"
#include "events/DueRule.h"
#include "events/EventList.h"
#include "events/EventListLook.h"
#include "events/EventStorage.h"
#include "events/HourlyField.h"
#include "events/NewEvent.h"
#include "events/NextRun.h"
#include "events/StoredTextValidator.h"
#include "events/TfrmEventDetails.h"
#include "lang/ApplyLanguage.h"
#include "lang/Translate.h"
#include "widgets/Icons.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QStackedWidget>
#include <QStyle>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace events {

using lang::ownTexts;

namespace {

// The places of the day and time fields: which control each one shows.
enum DayPlace
{
    ShowDate,
    ShowWeekday,
    ShowNoDay
};
enum TimePlace
{
    ShowTime,
    ShowHourly,
    ShowNoTime
};

QToolButton* toolButton(const QIcon& icon, const QString& hint, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setIcon(icon);
    button->setIconSize(QSize(20, 20));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
}

// The date picker shows the date as the list stores it: two-digit day and month, four-digit year,
// in the user's order and with the user's separator.
QString datePickerFormat(const core::LocaleFormats& locale)
{
    const QString sep = u'\'' + QString(locale.dateSeparator()) + u'\'';
    switch (core::DateTextFormat(locale.shortDateFormat())) {
    case core::DateOrder::DayFirst:
        return QStringLiteral("dd") + sep + QStringLiteral("MM") + sep + QStringLiteral("yyyy");
    case core::DateOrder::YearFirst:
        return QStringLiteral("yyyy") + sep + QStringLiteral("MM") + sep + QStringLiteral("dd");
    case core::DateOrder::MonthFirst:
        break;
    }
    return QStringLiteral("MM") + sep + QStringLiteral("dd") + sep + QStringLiteral("yyyy");
}

} // namespace

EventsPage::EventsPage(EventList& list, EventStorage& storage, TfrmEventDetails& details,
                       const platform::Platform& services, QWidget* parent)
    : QWidget(parent), m_list(list), m_storage(storage), m_details(details), m_platform(services)
{
    m_look = new EventListLook(list, m_platform.clock, m_platform.locale, this);
    buildFields();
    buildList();
    buildMenu();

    auto* bar = new QHBoxLayout;
    bar->setSpacing(1);
    for (QToolButton* b : {btnLV, btnAdd, btnDelete, btnSave, btnEventDetails})
        bar->addWidget(b);
    bar->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->setSpacing(2);
    layout->addWidget(gpEvents);
    layout->addLayout(bar);
    layout->addWidget(LV, 1);

    // Set-up, once: today in the date picker and the weekday list, now in the time picker.
    const QDateTime now = m_platform.clock.now();
    DTPDate->setDate(now.date());
    cboWeekdays->setCurrentIndex(todaysWeekday());
    DTPTime->setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    cboSchedule->setCurrentIndex(skOneTime);
    applyLayout(skOneTime);
    showViewStyle(m_list.viewStyle());
    btnSave->setEnabled(m_list.saveCommandEnabled());
    LVSelectItem();

    // The fields show the selected row also when another changes it: the scheduler unchecking a
    // one-time event that has fired, the event details dialog.
    connect(&m_list, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                const int r = selectedRow();
                if (!m_editing && !m_filling && r >= from.row() && r <= to.row())
                    showSelectedRow();
            });
    // While shown, the page keeps up with the clock: when each event runs next, and whether the
    // selected one's time has passed.
    m_clockWatch = new QTimer(this);
    m_clockWatch->setInterval(1000);
    connect(m_clockWatch, &QTimer::timeout, this, [this] {
        m_look->refreshNextRuns();
        showWhetherPassed();
    });
    connect(&m_list, &EventList::saveCommandChanged, btnSave, &QWidget::setEnabled);
    connect(&m_list, &EventList::viewStyleChanged, this, [this](ViewStyle style) { showViewStyle(style); });
    connect(&m_list, &EventList::edited, this, &EventsPage::LVEdited);
    connect(&m_list, &QAbstractItemModel::modelReset, this, &EventsPage::LVSelectItem);
    connect(&m_list, &QAbstractItemModel::rowsRemoved, this, &EventsPage::LVSelectItem);
    // Small icons stand in a grid as wide as the longest name.
    const auto fitGrid = [this] {
        if (m_list.viewStyle() == vsSmallIcon && lvIcons->gridSize() != smallIconGrid())
            lvIcons->setGridSize(smallIconGrid());
    };
    connect(&m_list, &QAbstractItemModel::modelReset, this, fitGrid);
    connect(&m_list, &QAbstractItemModel::rowsInserted, this, fitGrid);
    connect(&m_list, &QAbstractItemModel::dataChanged, this, fitGrid);
}

void EventsPage::buildFields()
{
    gpEvents = ownTexts(new QGroupBox(this));
    auto* grid = new QGridLayout(gpEvents);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    txtWhat = new QLineEdit(gpEvents);
    txtWhat->setValidator(new StoredTextValidator(txtWhat));
    auto* lblWhat = new QLabel(QStringLiteral("Event Name"), gpEvents);
    lblWhat->setBuddy(txtWhat);

    cboSchedule = ownTexts(new QComboBox(gpEvents));
    const QStringList kinds = scheduleNames();
    for (int k = 0; k < kinds.size(); ++k)
        cboSchedule->addItem(widgets::scheduleIcon(k), kinds[k]);
    cboSchedule->setIconSize(QSize(16, 16));
    m_lblSchedule = new QLabel(QStringLiteral("Schedule"), gpEvents);
    m_lblSchedule->setBuddy(cboSchedule);
    chkActive = new QCheckBox(QStringLiteral("Active"), gpEvents);
    lblPassed = ownTexts(new QLabel(gpEvents));
    lblPassed->setText(Translate(QStringLiteral("This event's time has passed")));
    lblPassed->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    lblPassed->hide();

    lblDate = ownTexts(new QLabel(gpEvents));
    m_dayPlace = new QStackedWidget(gpEvents);
    DTPDate = new QDateEdit(m_dayPlace);
    DTPDate->setCalendarPopup(true);
    DTPDate->setLocale(m_platform.locale.locale()); // the user's digits and names
    DTPDate->setDisplayFormat(datePickerFormat(m_platform.locale));
    cboWeekdays = ownTexts(new QComboBox(m_dayPlace));
    cboWeekdays->addItems(weekdayNames());
    cboWeekdays->setMaxVisibleItems(7);
    m_dayPlace->addWidget(DTPDate);
    m_dayPlace->addWidget(cboWeekdays);
    m_dayPlace->addWidget(new QWidget(m_dayPlace));
    m_dayPlace->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    lblSelectTime = ownTexts(new QLabel(gpEvents));
    m_timePlace = new QStackedWidget(gpEvents);
    DTPTime = new QTimeEdit(m_timePlace);
    DTPTime->setLocale(m_platform.locale.locale());
    DTPTime->setDisplayFormat(m_platform.locale.timePickerFormat());
    pnlHourly = new QWidget(m_timePlace);
    txtHourlyMin = new HourlyField(pnlHourly);
    txtHourlySec = new HourlyField(pnlHourly);
    auto* hourly = new QHBoxLayout(pnlHourly);
    hourly->setContentsMargins(0, 0, 0, 0);
    hourly->setSpacing(3);
    hourly->addWidget(txtHourlyMin);
    hourly->addWidget(new QLabel(QStringLiteral("mm"), pnlHourly));
    hourly->addSpacing(6);
    hourly->addWidget(txtHourlySec);
    hourly->addWidget(new QLabel(QStringLiteral("ss"), pnlHourly));
    hourly->addStretch(1);
    m_timePlace->addWidget(DTPTime);
    m_timePlace->addWidget(pnlHourly);
    m_timePlace->addWidget(new QWidget(m_timePlace));
    m_timePlace->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    lblDate->setBuddy(DTPDate);
    lblSelectTime->setBuddy(DTPTime);

    grid->addWidget(lblWhat, 0, 0);
    grid->addWidget(txtWhat, 0, 1, 1, 3);
    grid->addWidget(m_lblSchedule, 1, 0);
    grid->addWidget(cboSchedule, 1, 1);
    grid->addWidget(chkActive, 1, 2, 1, 2);
    grid->addWidget(lblDate, 2, 0);
    grid->addWidget(m_dayPlace, 2, 1);
    grid->addWidget(lblSelectTime, 2, 2);
    grid->addWidget(m_timePlace, 2, 3);
    grid->addWidget(lblPassed, 3, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    connect(txtWhat, &QLineEdit::textEdited, this, &EventsPage::txtWhatChange);
    connect(cboSchedule, &QComboBox::activated, this, &EventsPage::cboScheduleClick);
    connect(DTPDate, &QDateEdit::dateChanged, this, [this] {
        if (!m_filling)
            DTPDateChange();
    });
    connect(DTPTime, &QTimeEdit::timeChanged, this, [this] {
        if (!m_filling)
            DTPTimeChange();
    });
    connect(cboWeekdays, &QComboBox::activated, this, &EventsPage::cboWeekdaysChange);
    connect(txtHourlyMin, &HourlyField::edited, this, &EventsPage::hourlyChange);
    connect(txtHourlySec, &HourlyField::edited, this, &EventsPage::hourlyChange);
    connect(chkActive, &QCheckBox::clicked, this, &EventsPage::chkActiveClick);
}

void EventsPage::buildList()
{
    btnLV = toolButton(widgets::viewStyleIcon(vsReport), QStringLiteral("View Style"), this);
    btnLV->setPopupMode(QToolButton::MenuButtonPopup);
    btnAdd = ownTexts(toolButton(widgets::eventPicture(widgets::EventPicture::Add), QString(), this));
    btnDelete = toolButton(widgets::eventPicture(widgets::EventPicture::Delete),
                           QStringLiteral("Delete from list"), this);
    btnSave = toolButton(widgets::eventPicture(widgets::EventPicture::Save), QStringLiteral("Save"), this);
    btnEventDetails = toolButton(widgets::eventPicture(widgets::EventPicture::Details),
                                 QStringLiteral("Event Details"), this);
    btnDelete->setEnabled(false);
    btnSave->setEnabled(false);
    btnEventDetails->setEnabled(false);

    LV = new QStackedWidget(this);
    lvIcons = new QListView(LV);
    lvIcons->setModel(m_look);
    lvIcons->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvIcons->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvIcons->setMovement(QListView::Static);
    lvIcons->setResizeMode(QListView::Adjust);
    lvIcons->setWordWrap(true);
    lvReport = new QTreeView(LV);
    lvReport->setModel(m_look);
    QItemSelectionModel* own = lvReport->selectionModel();
    selection = lvIcons->selectionModel();
    lvReport->setSelectionModel(selection); // one selection, whatever the view
    delete own;
    lvReport->setRootIsDecorated(false);
    lvReport->setItemsExpandable(false);
    lvReport->setUniformRowHeights(true);
    lvReport->setAllColumnsShowFocus(true);
    lvReport->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvReport->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvReport->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvReport->setIconSize(QSize(16, 16));
    QHeaderView* header = lvReport->header();
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setSortIndicatorShown(false);
    header->setStretchLastSection(false);
    // At least the widths the columns were designed with, and wide enough for what they hold
    // in this language and with this font.
    const QFontMetrics metrics(lvReport->font());
    const auto widest = [&](const QStringList& texts) {
        int w = 0;
        for (const QString& t : texts)
            w = std::max(w, metrics.horizontalAdvance(t));
        return w + 16;
    };
    const int widths[EventList::ColumnCount] = {
        std::max(100, widest({Translate(QStringLiteral("Untitled Event"))}) + 40),
        std::max(90, widest({dateText(QDate(2026, 12, 28))})),
        std::max(80, widest({timeText(QTime(12, 59, 59)), timeText(QTime(23, 59, 59))})),
        std::max(80, widest(scheduleNames())),
        std::max(100, widest(actionTypeNames())),
        140,
        160,
        std::max(120, widest({dateText(QDate(2026, 12, 28)) + u' ' + timeText(QTime(23, 59, 59)),
                              Translate(QStringLiteral("This event's time has passed")),
                              Translate(QStringLiteral("Its date or time cannot be read"))}))};
    for (int c = 0; c < EventList::ColumnCount; ++c)
        lvReport->setColumnWidth(c, widths[c]);
    header->moveSection(EventList::NextRunColumn, 3); // beside the time, where it is seen

    LV->addWidget(lvIcons);
    LV->addWidget(lvReport);

    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(lvIcons), static_cast<QAbstractItemView*>(lvReport)}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& at) { popLVPopup(view->viewport()->mapToGlobal(at)); });
        connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
            if (index.isValid())
                btnEventDetailsClick();
        });
    }
    connect(header, &QHeaderView::sectionClicked, this, &EventsPage::LVColumnClick);
    connect(selection, &QItemSelectionModel::selectionChanged, this, &EventsPage::LVSelectItem);
    connect(btnLV, &QToolButton::clicked, this, &EventsPage::btnLVClick);
    connect(btnAdd, &QToolButton::clicked, this, &EventsPage::btnAddClick);
    connect(btnDelete, &QToolButton::clicked, this, &EventsPage::btnDeleteClick);
    connect(btnSave, &QToolButton::clicked, this, &EventsPage::btnSaveClick);
    connect(btnEventDetails, &QToolButton::clicked, this, &EventsPage::btnEventDetailsClick);
}

void EventsPage::buildMenu()
{
    popLV = new QMenu(this);
    auto* styles = new QActionGroup(popLV);
    const char16_t* const names[] = {u"Large Icons", u"Small Icons", u"List", u"Details"};
    for (int style = 0; style < 4; ++style) {
        QAction* item = popLV->addAction(widgets::viewStyleIcon(style), QString::fromUtf16(names[style]));
        item->setCheckable(true);
        styles->addAction(item);
        mnuViewStyle[size_t(style)] = item;
        connect(item, &QAction::triggered, this, [this, style] { Icons1Click(style); });
    }
    popLV->addSeparator();
    SelectAll1 = popLV->addAction(QStringLiteral("Select All"));
    SelectAll1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    Add1 = popLV->addAction(widgets::eventPicture(widgets::EventPicture::Add), QStringLiteral("Add"));
    Add1->setShortcut(QKeySequence(Qt::Key_Insert));
    Delete1 = popLV->addAction(widgets::eventPicture(widgets::EventPicture::Delete),
                               QStringLiteral("Delete"));
    Delete1->setShortcut(QKeySequence(Qt::Key_Delete));
    EventDetails1 = popLV->addAction(widgets::eventPicture(widgets::EventPicture::Details),
                                     QStringLiteral("Event Details"));
    btnLV->setMenu(popLV);
    // The keys work while the list has the focus; in the name field Delete deletes letters.
    for (QAction* action : {SelectAll1, Add1, Delete1}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        LV->addAction(action);
    }
    connect(SelectAll1, &QAction::triggered, this, &EventsPage::SelectAll1Click);
    connect(Add1, &QAction::triggered, this, &EventsPage::btnAddClick);
    connect(Delete1, &QAction::triggered, this, &EventsPage::btnDeleteClick);
    connect(EventDetails1, &QAction::triggered, this, &EventsPage::btnEventDetailsClick);
}

QList<int> EventsPage::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : selection->selectedIndexes())
        if (!rows.contains(index.row()))
            rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

int EventsPage::selectedRow() const
{
    const QList<int> rows = selectedRows();
    return rows.isEmpty() ? -1 : rows.front();
}

void EventsPage::selectRow(int row)
{
    const QModelIndex index = m_look->index(row, 0);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (auto* view = qobject_cast<QAbstractItemView*>(LV->currentWidget()))
        view->scrollTo(index);
}

void EventsPage::prepareForShow()
{
    Add1->setToolTip(btnAdd->toolTip());
    Delete1->setToolTip(btnDelete->toolTip());
    if (m_list.count() > 0)
        selectRow(0);
    LVSelectItem(); // the fields show the top row even when it was selected already
    focusList();
}

void EventsPage::focusList()
{
    LV->currentWidget()->setFocus();
}

void EventsPage::LVSelectItem()
{
    const QList<int> rows = selectedRows();
    const auto n = rows.size();
    btnAdd->setToolTip(n > 0 ? Translate(QStringLiteral("Clone the Selected Item"))
                             : Translate(QStringLiteral("Add a New item to the list")));
    btnDelete->setEnabled(n >= 1);
    Delete1->setEnabled(n >= 1);
    btnEventDetails->setEnabled(n == 1);
    EventDetails1->setEnabled(n == 1);
    showWhetherPassed();
    if (n == 0)
        return;

    const EventRecord row = m_list.row(rows.front());
    m_filling = true;
    txtWhat->setText(row.Name);
    const int kind = scheduleKindOf(row);
    // An unreadable date or time ends the filling there, with the reason; the row stays as it is.
    const auto readTime = [&]() -> bool {
        const std::optional<QTime> time = core::parseTimeText(row.text(TimeText), m_platform.locale);
        if (!time) {
            m_filling = false;
            if (!m_quietFill)
                m_platform.messages.error(Translate(QStringLiteral("'%s' is not a valid time"))
                                              .replace(QStringLiteral("%s"), row.text(TimeText)));
            return false;
        }
        DTPTime->setTime(*time);
        return true;
    };
    switch (kind) {
    case skOneTime: {
        const std::optional<QDate> date = readEventDate(row.text(DayDate), m_platform.locale);
        if (!date) {
            m_filling = false;
            if (!m_quietFill)
                m_platform.messages.error(Translate(QStringLiteral("'%s' is not a valid date"))
                                              .replace(QStringLiteral("%s"), row.text(DayDate)));
            return;
        }
        DTPDate->setDate(*date);
        if (!readTime())
            return;
        break;
    }
    case skWeekday:
        cboWeekdays->setCurrentIndex(weekdayOf(row));
        if (!readTime())
            return;
        break;
    case skHourly:
        txtHourlyMin->fill(HourlyField::valueOf(row.text(TimeText).mid(3, 2)).value_or(0));
        txtHourlySec->fill(HourlyField::valueOf(row.text(TimeText).mid(6, 2)).value_or(0));
        break;
    case skStart:
        break;
    default: // Daily, and a schedule this language does not name, which runs daily
        if (!readTime())
            return;
        break;
    }
    cboSchedule->setCurrentIndex(kind);
    applyLayout(kind);
    chkActive->setChecked(row.Active);
    m_filling = false;
}

void EventsPage::showSelectedRow()
{
    m_quietFill = true; // what was wrong with the row was said when it was selected
    LVSelectItem();
    m_quietFill = false;
}

void EventsPage::showWhetherPassed()
{
    const int r = selectedRow();
    lblPassed->setVisible(r >= 0 && hasPassed(m_list.row(r), m_platform.clock.now(), m_platform.locale));
}

void EventsPage::writeRow(int r, const EventRecord& row)
{
    m_editing = true;
    m_list.setRow(r, row);
    m_editing = false;
    showWhetherPassed();
}

void EventsPage::applyLayout(int kind)
{
    const bool known = kind >= skOneTime && kind <= skStart;
    const int r = selectedRow();
    const QString scheduleName = known    ? scheduleNames()[kind]
                                 : r >= 0 ? m_list.row(r).text(ScheduleName)
                                          : QString();
    gpEvents->setTitle(scheduleName + u' ' + Translate(QStringLiteral("Event")));
    const QString selectTime = Translate(QStringLiteral("Select a Time"));
    lblSelectTime->setVisible(kind != skStart);
    switch (kind) {
    case skOneTime:
        lblSelectTime->setText(selectTime);
        lblDate->setText(Translate(QStringLiteral("Choose a Date")));
        lblDate->setBuddy(DTPDate);
        m_dayPlace->setCurrentIndex(ShowDate);
        m_timePlace->setCurrentIndex(ShowTime);
        break;
    case skHourly:
        lblSelectTime->setText(QString());
        lblDate->setText(QString());
        m_dayPlace->setCurrentIndex(ShowNoDay);
        m_timePlace->setCurrentIndex(ShowHourly);
        break;
    case skWeekday:
        lblSelectTime->setText(selectTime);
        lblDate->setText(Translate(QStringLiteral("Day of the Week")));
        lblDate->setBuddy(cboWeekdays);
        m_dayPlace->setCurrentIndex(ShowWeekday);
        m_timePlace->setCurrentIndex(ShowTime);
        break;
    case skStart:
        lblDate->setText(QString());
        m_dayPlace->setCurrentIndex(ShowNoDay);
        m_timePlace->setCurrentIndex(ShowNoTime);
        break;
    default: // Daily
        lblSelectTime->setText(selectTime);
        lblDate->setText(QString());
        m_dayPlace->setCurrentIndex(ShowNoDay);
        m_timePlace->setCurrentIndex(ShowTime);
        break;
    }
}

void EventsPage::cboScheduleClick(int kind)
{
    if (kind < skOneTime || kind > skStart)
        return;
    applyLayout(kind);
    const int r = selectedRow();
    if (r < 0)
        return;
    EventRecord row = m_list.row(r);
    switch (kind) {
    case skOneTime:
        row.text(DayDate) = dateText(DTPDate->date());
        break;
    case skWeekday:
        cboWeekdays->setCurrentIndex(todaysWeekday());
        row.text(DayDate) = cboWeekdays->currentText();
        break;
    default:
        row.text(DayDate).clear();
        break;
    }
    if (kind == skHourly)
        row.text(TimeText) = hourlyText();
    else if (kind == skStart)
        row.text(TimeText).clear();
    else
        row.text(TimeText) = timeText(DTPTime->time());
    row.text(ScheduleName) = cboSchedule->itemText(kind);
    row.IconIndex = kind;
    writeRow(r, row);
    enableSave();
}

void EventsPage::DTPDateChange()
{
    const int r = selectedRow();
    if (r < 0)
        return;
    EventRecord row = m_list.row(r);
    row.text(DayDate) = dateText(DTPDate->date());
    writeRow(r, row);
    enableSave();
}

void EventsPage::DTPTimeChange()
{
    const int r = selectedRow();
    if (r < 0)
        return;
    EventRecord row = m_list.row(r);
    row.text(TimeText) = timeText(DTPTime->time());
    writeRow(r, row);
    enableSave();
}

void EventsPage::cboWeekdaysChange(int weekday)
{
    const int r = selectedRow();
    if (r < 0 || weekday < 0)
        return;
    EventRecord row = m_list.row(r);
    row.text(DayDate) = cboWeekdays->itemText(weekday);
    writeRow(r, row);
    enableSave();
}

void EventsPage::txtWhatChange(const QString& text)
{
    const int r = selectedRow();
    if (r < 0)
        return;
    EventRecord row = m_list.row(r);
    row.Name = Translate(text);
    writeRow(r, row);
    enableSave();
}

void EventsPage::hourlyChange()
{
    const int r = selectedRow();
    if (r < 0)
        return;
    EventRecord row = m_list.row(r);
    row.text(TimeText) = hourlyText();
    writeRow(r, row);
    enableSave();
}

void EventsPage::chkActiveClick(bool checked)
{
    const int r = selectedRow();
    if (r < 0)
        return;
    EventRecord row = m_list.row(r);
    row.Active = checked;
    writeRow(r, row);
    enableSave();
}

void EventsPage::LVEdited(int r)
{
    if (r < 0 || r >= m_list.count())
        return;
    EventRecord row = m_list.row(r);
    const QString flag = row.Active ? QStringLiteral("T") : QStringLiteral("F");
    if (row.text(ActiveFlag) != flag) {
        row.text(ActiveFlag) = flag;
        m_list.setRow(r, row);
    }
    if (r == selectedRow())
        chkActive->setChecked(row.Active);
    enableSave();
}

void EventsPage::btnAddClick()
{
    if (cboSchedule->currentIndex() < 0) {
        cboSchedule->setCurrentIndex(skOneTime);
        applyLayout(skOneTime);
    }
    NewEventChoice choice;
    choice.kind = cboSchedule->currentIndex();
    choice.date = DTPDate->date();
    choice.time = DTPTime->time();
    choice.weekday = cboWeekdays->currentIndex() >= 0 ? cboWeekdays->currentText()
                                                      : cboWeekdays->itemText(todaysWeekday());
    choice.hourlyMinutes = txtHourlyMin->digits();
    choice.hourlySeconds = txtHourlySec->digits();
    const int selected = selectedRow();
    const EventRecord row = makeNewEvent(choice, selected >= 0 ? &m_list.row(selected) : nullptr,
                                         m_platform.locale);
    m_list.appendRow(row);
    const int added = m_list.count() - 1;
    selection->clearSelection();
    selectRow(added);
    focusList();

    m_adding = true;
    const bool kept = btnEventDetailsClick();
    m_adding = false;
    if (!kept) {
        if (m_list.count() > 0)
            selectRow(0);
        return;
    }
    selectRow(added);
    enableSave();
}

bool EventsPage::btnEventDetailsClick()
{
    const int r = selectedRow();
    if (r < 0)
        return false;
    m_details.setWindowTitle(Translate(QStringLiteral("Event Details")) + QStringLiteral(" - ") +
                             m_list.row(r).Name);
    const bool kept = m_details.editEvent(m_list, r);
    if (!kept && m_adding)
        m_list.removeRow(r);
    return kept;
}

void EventsPage::btnDeleteClick()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    const QString question = rows.size() == 1
                                 ? Translate(QStringLiteral("Are you sure you want to delete")) + u' ' +
                                       m_list.row(rows.front()).Name + u'?'
                                 : Translate(QStringLiteral("Are you sure you want to delete these")) + u' ' +
                                       QString::number(rows.size()) + u' ' +
                                       Translate(QStringLiteral("events")) + u'?';
    if (m_platform.messages.question(question, false) == platform::MessageBoxes::Answer::No)
        return;
    m_list.removeRows(rows);
    enableSave();
    // The row that took the place of the first one deleted is the one shown next.
    if (m_list.count() > 0)
        selectRow(std::min(rows.front(), m_list.count() - 1));
}

void EventsPage::btnSaveClick()
{
    m_storage.SaveEvents(true);
}

void EventsPage::btnLVClick()
{
    Icons1Click((int(m_list.viewStyle()) + 1) % 4);
}

void EventsPage::Icons1Click(int style)
{
    m_list.setViewStyle(ViewStyle(std::clamp(style, 0, 3)));
    showViewStyle(m_list.viewStyle());
}

void EventsPage::showViewStyle(int style)
{
    const bool hadFocus = LV->currentWidget()->hasFocus();
    switch (style) {
    case vsIcon:
        lvIcons->setViewMode(QListView::IconMode);
        lvIcons->setIconSize(QSize(32, 32));
        lvIcons->setGridSize(QSize(96, 64));
        lvIcons->setFlow(QListView::LeftToRight);
        lvIcons->setWrapping(true);
        break;
    case vsSmallIcon:
        lvIcons->setViewMode(QListView::ListMode);
        lvIcons->setIconSize(QSize(16, 16));
        lvIcons->setGridSize(smallIconGrid());
        lvIcons->setFlow(QListView::LeftToRight);
        lvIcons->setWrapping(true);
        break;
    case vsList:
        lvIcons->setViewMode(QListView::ListMode);
        lvIcons->setIconSize(QSize(16, 16));
        lvIcons->setGridSize(QSize());
        lvIcons->setFlow(QListView::TopToBottom);
        lvIcons->setWrapping(true);
        break;
    default:
        break;
    }
    lvIcons->setWordWrap(style == vsIcon);
    LV->setCurrentWidget(style == vsReport ? static_cast<QWidget*>(lvReport) : lvIcons);
    if (hadFocus)
        focusList();
    btnLV->setIcon(widgets::viewStyleIcon(style));
    mnuViewStyle[size_t(std::clamp(style, 0, 3))]->setChecked(true);
}

QSize EventsPage::smallIconGrid() const
{
    // One width for every cell, as wide as the longest name needs, within reason.
    const QFontMetrics metrics(lvIcons->font());
    int widest = metrics.horizontalAdvance(Translate(QStringLiteral("Untitled Event")));
    for (const EventRecord& row : m_list.rows())
        widest = std::max(widest, metrics.horizontalAdvance(row.Name));
    const int check = lvIcons->style()->pixelMetric(QStyle::PM_IndicatorWidth);
    return {std::clamp(widest + check + 16 + 24, 120, 280), std::max(22, metrics.height() + 6)};
}

void EventsPage::SelectAll1Click()
{
    if (m_list.count() == 0)
        return;
    selection->select(
        QItemSelection(m_look->index(0, 0), m_look->index(m_list.count() - 1, EventList::ColumnCount - 1)),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void EventsPage::popLVPopup(const QPoint& at)
{
    SelectAll1->setEnabled(selectedRows().size() < m_list.count());
    popLV->popup(at);
}

void EventsPage::LVColumnClick(int column)
{
    // The sort state counts the columns from 1, its sign is the direction; a new column starts
    // ascending, the sorted one turns round.
    const int clicked = column + 1;
    SortColumn = std::abs(SortColumn) != clicked ? clicked : -SortColumn;
    const bool ascending = SortColumn > 0;
    m_look->setSortPicture(column, ascending);
    if (column != EventList::NextRunColumn)
        return m_list.sortRows(column, !ascending);
    const QDateTime now = m_platform.clock.now();
    m_list.sortRows(column, !ascending, [this, &now](const EventRecord& row) {
        return nextRunSortKey(row, now, m_platform.locale);
    });
}

void EventsPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_look->refreshNextRuns();
    showWhetherPassed();
    m_clockWatch->start();
}

void EventsPage::hideEvent(QHideEvent* event)
{
    m_clockWatch->stop();
    QWidget::hideEvent(event);
}

void EventsPage::enableSave()
{
    m_list.setSaveCommandEnabled(true);
}

QString EventsPage::dateText(const QDate& date) const
{
    return core::formatDateText(date, m_platform.locale);
}

QString EventsPage::timeText(const QTime& time) const
{
    return core::formatTimeText(time, m_platform.locale);
}

QString EventsPage::hourlyText() const
{
    return QStringLiteral("xx:") + txtHourlyMin->digits() + u':' + txtHourlySec->digits();
}

int EventsPage::todaysWeekday() const
{
    return m_platform.clock.now().date().dayOfWeek() % 7; // Sunday 0 to Saturday 6
}

} // namespace events
