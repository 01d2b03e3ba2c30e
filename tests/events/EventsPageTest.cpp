#include "events/EventsPage.h"
#include "core/DateTimeText.h"
#include "events/EventList.h"
#include "events/EventListLook.h"
#include "events/EventStorage.h"
#include "events/HourlyField.h"
#include "events/TfrmEventDetails.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace events;

namespace {

class EventsPageTest : public ::testing::Test
{
protected:
    fakes::FakePlatform fake; // Monday 2 March 2026, 14:00:00, US English
    EventList list;
    EventStorage storage{list, fake.programPath("Events.dta"), fake.messages};
    TfrmEventDetails details{fake.services()};
    EventsPage page{list, storage, details, fake.services()};

    EventRecord row(const QString& name, const QString& schedule, const QString& dayDate, const QString& time,
                    const QString& type = "Message Box")
    {
        EventRecord r;
        r.Name = name;
        r.text(DayDate) = dayDate;
        r.text(TimeText) = time;
        r.text(ScheduleName) = schedule;
        r.text(TypeName) = type;
        r.text(FolderText) = "Veskel";
        r.text(FileText) = name;
        r.text(ActiveFlag) = "F";
        r.IconIndex = std::max(0, positionOf(scheduleNames(), schedule));
        return r;
    }
    void add(const EventRecord& r) { list.appendRow(r); }
    // The next details dialog is closed with OK or Cancel as soon as it is open.
    void answerDetails(bool ok)
    {
        QTimer::singleShot(0, &details, [this, ok] {
            (ok ? details.btnOK : details.btnCancel)->click();
            if (details.isVisible())
                details.reject(); // OK could not be pressed
        });
    }
    void select(std::initializer_list<int> rows)
    {
        page.selection->clearSelection();
        for (const int r : rows)
            page.selection->select(page.lvReport->model()->index(r, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    bool shown(QWidget* w) { return w->isVisibleTo(&page); }
    QLineEdit* editorOf(HourlyField* field) { return field->findChild<QLineEdit*>(); }
    QStringList names()
    {
        QStringList n;
        for (const EventRecord& r : list.rows())
            n << r.Name;
        return n;
    }
};

} // namespace

TEST_F(EventsPageTest, AddingWithoutASelectionMakesAReminderAndWithOneClonesItsAction)
{
    EXPECT_EQ(page.btnAdd->toolTip(), "Add a New item to the list");
    answerDetails(true);
    page.btnAdd->click();
    ASSERT_EQ(list.count(), 1);
    // The rest of a new row's defaults are the pure rule's, tested with it.
    const EventRecord& made = list.row(0);
    EXPECT_EQ(made.text(DayDate), "03/02/2026");
    EXPECT_EQ(made.text(TimeText), "2:00:00 PM");
    EXPECT_EQ(made.text(FileText), "Reminder Message");
    EXPECT_EQ(page.selectedRow(), 0);
    EXPECT_TRUE(page.btnSave->isEnabled());
    EXPECT_EQ(page.btnAdd->toolTip(), "Clone the Selected Item");

    EventRecord program = row("Editor", "Daily", "", "8:00:00 AM", "Run a Program");
    program.text(FolderText) = "/usr/bin/";
    program.text(FileText) = "gedit";
    program.text(RunWindow) = "3";
    add(program);
    page.selectRow(1);
    EXPECT_EQ(page.cboSchedule->currentText(), "Daily");
    answerDetails(true);
    page.btnAdd->click();
    ASSERT_EQ(list.count(), 3);
    const EventRecord& clone = list.row(2);
    EXPECT_EQ(clone.text(ScheduleName), "Daily"); // the schedule shown, with the time picker's time
    EXPECT_EQ(clone.text(TimeText), "8:00:00 AM");
    EXPECT_EQ(clone.text(FileText), "gedit");
    EXPECT_EQ(clone.text(RunWindow), "3"); // a clone runs its program the same way
    EXPECT_EQ(page.selectedRow(), 2);
}

TEST_F(EventsPageTest, CancellingTheDetailsOfANewEventRemovesItButKeepsAnExistingOne)
{
    add(row("Lunch", "Daily", "", "12:00:00 PM"));
    page.selectRow(0);
    answerDetails(false);
    page.btnAdd->click();
    EXPECT_EQ(names(), QStringList{"Lunch"});
    EXPECT_EQ(page.selectedRow(), 0); // the top row is shown again
    EXPECT_FALSE(page.btnSave->isEnabled());

    answerDetails(false);
    EXPECT_FALSE(page.btnEventDetailsClick());
    EXPECT_EQ(names(), QStringList{"Lunch"});
    EXPECT_EQ(details.windowTitle(), "Event Details - Lunch");
    EXPECT_FALSE(page.btnSave->isEnabled());

    answerDetails(true);
    EXPECT_TRUE(page.btnEventDetailsClick());
    EXPECT_TRUE(page.btnSave->isEnabled());
}

TEST_F(EventsPageTest, DeletingAsksFirstAndNamesTheEventOrTheCount)
{
    for (const QString name : {"One", "Two", "Three", "Four"})
        add(row(name, "Start", "", ""));
    select({0, 1, 3});
    EXPECT_TRUE(page.btnDelete->isEnabled());
    EXPECT_FALSE(page.btnEventDetails->isEnabled()); // details are for one event
    fake.messages.answer = platform::MessageBoxes::Answer::No;
    page.btnDelete->click();
    EXPECT_EQ(fake.messages.questions, QStringList{"Are you sure you want to delete these 3 events?"});
    EXPECT_EQ(list.count(), 4);
    EXPECT_FALSE(page.btnSave->isEnabled());

    fake.messages.answer = platform::MessageBoxes::Answer::Yes;
    page.btnDelete->click();
    EXPECT_EQ(names(), QStringList{"Three"});
    EXPECT_TRUE(page.btnSave->isEnabled());
    EXPECT_EQ(page.selectedRow(), 0);

    page.btnDelete->click();
    EXPECT_EQ(fake.messages.questions.last(), "Are you sure you want to delete Three?");
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(page.btnDelete->isEnabled());
}

TEST_F(EventsPageTest, TheScheduleChoiceRewritesTheRowAndLaysOutTheFields)
{
    add(row("Meeting", "One Time", "03/05/2026", "9:30:00 AM"));
    page.selectRow(0);
    EXPECT_EQ(page.gpEvents->title(), "One Time Event");
    EXPECT_EQ(page.DTPDate->date(), QDate(2026, 3, 5));
    EXPECT_EQ(page.DTPTime->time(), QTime(9, 30));
    EXPECT_TRUE(shown(page.DTPDate));
    EXPECT_EQ(page.lblDate->text(), "Choose a Date");
    EXPECT_EQ(page.lblSelectTime->text(), "Select a Time");

    // The clock stands on a Monday: a weekly event starts on today's day.
    page.cboSchedule->setCurrentIndex(skWeekday);
    emit page.cboSchedule->activated(skWeekday);
    EventRecord r = list.row(0);
    EXPECT_EQ(r.text(ScheduleName), "Weekday");
    EXPECT_EQ(r.text(DayDate), "Monday");
    EXPECT_EQ(r.text(TimeText), "9:30:00 AM");
    EXPECT_EQ(r.IconIndex, skWeekday);
    EXPECT_EQ(page.cboWeekdays->currentText(), "Monday");
    EXPECT_TRUE(shown(page.cboWeekdays));
    EXPECT_FALSE(shown(page.DTPDate));
    EXPECT_EQ(page.lblDate->text(), "Day of the Week");
    EXPECT_EQ(page.gpEvents->title(), "Weekday Event");
    EXPECT_TRUE(page.btnSave->isEnabled());

    page.cboWeekdays->setCurrentIndex(5);
    emit page.cboWeekdays->activated(5);
    EXPECT_EQ(list.row(0).text(DayDate), "Friday");

    page.cboSchedule->setCurrentIndex(skHourly);
    emit page.cboSchedule->activated(skHourly);
    r = list.row(0);
    EXPECT_EQ(r.text(DayDate), "");
    EXPECT_EQ(r.text(TimeText), "xx:00:00");
    EXPECT_TRUE(shown(page.pnlHourly));
    EXPECT_FALSE(shown(page.DTPTime));
    EXPECT_FALSE(shown(page.cboWeekdays));
    EXPECT_EQ(page.lblSelectTime->text(), "");

    page.cboSchedule->setCurrentIndex(skStart);
    emit page.cboSchedule->activated(skStart);
    r = list.row(0);
    EXPECT_EQ(r.text(TimeText), "");
    EXPECT_EQ(r.text(ScheduleName), "Start");
    EXPECT_FALSE(shown(page.lblSelectTime));
    EXPECT_FALSE(shown(page.pnlHourly));

    page.cboSchedule->setCurrentIndex(skOneTime);
    emit page.cboSchedule->activated(skOneTime);
    EXPECT_EQ(list.row(0).text(DayDate), "03/05/2026"); // the date picker kept its date
    page.DTPDate->setDate(QDate(2026, 12, 24));
    EXPECT_EQ(list.row(0).text(DayDate), "12/24/2026");
    page.DTPTime->setTime(QTime(18, 0, 5));
    EXPECT_EQ(list.row(0).text(TimeText), "6:00:05 PM");
}

TEST_F(EventsPageTest, FieldsShowTheFirstSelectedRowAndEditOnlyIt)
{
    EventRecord active = row("Coffee", "Hourly", "", "xx:15:30");
    active.Active = true;
    add(active);
    add(row("Tea", "Daily", "", "4:00:00 PM"));
    select({0, 1});
    EXPECT_EQ(page.txtWhat->text(), "Coffee");
    EXPECT_EQ(page.txtHourlyMin->digits(), "15");
    EXPECT_EQ(page.txtHourlySec->digits(), "30");
    EXPECT_TRUE(page.chkActive->isChecked());
    EXPECT_FALSE(page.btnSave->isEnabled()); // filling is no edit

    page.txtWhat->selectAll();
    QTest::keyClicks(page.txtWhat, "Espresso");
    page.chkActive->click();
    EXPECT_EQ(names(), (QStringList{"Espresso", "Tea"}));
    EXPECT_FALSE(list.row(0).Active);
    EXPECT_TRUE(page.btnSave->isEnabled());

    // A check box clicked in the list counts as an edit and shows in the field.
    list.setSaveCommandEnabled(false);
    list.setData(list.index(0, 0), Qt::Checked, Qt::CheckStateRole);
    EXPECT_EQ(list.row(0).text(ActiveFlag), "T");
    EXPECT_TRUE(page.chkActive->isChecked());
    EXPECT_TRUE(page.btnSave->isEnabled());
    // The scheduler unchecking a fired event is no edit of the user's.
    list.setSaveCommandEnabled(false);
    list.setActive(1, true);
    EXPECT_FALSE(page.btnSave->isEnabled());
}

TEST_F(EventsPageTest, AnUnreadableTimeIsReportedAndTheRowKept)
{
    add(row("Broken", "Daily", "", "teatime"));
    add(row("Fine", "Daily", "", "7:15:00 AM"));
    page.selectRow(1);
    page.selectRow(0);
    EXPECT_EQ(fake.messages.errors, QStringList{"'teatime' is not a valid time"});
    EXPECT_EQ(list.row(0).text(TimeText), "teatime");
    EXPECT_EQ(page.DTPTime->time(), QTime(7, 15)); // the fields stopped where the text failed
    EXPECT_FALSE(page.btnSave->isEnabled());
}

TEST_F(EventsPageTest, HourlyFieldsTakeTwoDigitsUpToFiftyNine)
{
    add(row("Chime", "Hourly", "", "xx:00:00"));
    page.selectRow(0);
    HourlyField* minutes = page.txtHourlyMin;
    QLineEdit* editor = editorOf(minutes);
    editor->setFocus();
    editor->setCursorPosition(0);

    QTest::keyClick(minutes, Qt::Key_7); // no minute begins with 7
    EXPECT_EQ(editor->text(), "00");
    EXPECT_FALSE(page.btnSave->isEnabled());
    QTest::keyClick(minutes, Qt::Key_A);
    EXPECT_EQ(editor->text(), "00");
    QTest::keyClick(minutes, Qt::Key_4); // overwrites the first digit, then the second
    QTest::keyClick(minutes, Qt::Key_7);
    EXPECT_EQ(editor->text(), "47");
    EXPECT_EQ(list.row(0).text(TimeText), "xx:47:00");
    EXPECT_TRUE(page.btnSave->isEnabled());
    EXPECT_EQ(editor->selectionStart(), 0); // past the second digit the caret is back at the first
    EXPECT_EQ(editor->selectedText(), "4");

    QApplication::clipboard()->setText("75");
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), "59");
    EXPECT_EQ(list.row(0).text(TimeText), "xx:59:00");

    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    EXPECT_EQ(editor->text(), "00"); // an empty field is 00

    page.txtHourlySec->fill(59);
    page.txtHourlySec->stepUp(); // the buttons wrap round
    EXPECT_EQ(page.txtHourlySec->digits(), "00");
    EXPECT_EQ(list.row(0).text(TimeText), "xx:00:00");
    EXPECT_EQ(HourlyField::valueOf("75"), 59);
    EXPECT_EQ(HourlyField::valueOf(""), 0);
    EXPECT_FALSE(HourlyField::valueOf("5a").has_value());
}

TEST_F(EventsPageTest, HeaderClicksSortTheRowsOnceAndShowTheDirection)
{
    add(row("banana", "Daily", "", "9:00:00 AM"));
    add(row("Apple", "Daily", "", "10:00:00 AM"));
    add(row("cherry", "Daily", "", "11:00:00 AM"));
    page.selectRow(2);
    QHeaderView* header = page.lvReport->header();
    const auto picture = [&](int column) {
        return !page.lvReport->model()->headerData(column, Qt::Horizontal, Qt::DecorationRole).isNull();
    };
    EXPECT_FALSE(picture(0));

    // The list starts as sorted by name ascending, so the first click turns it round.
    emit header->sectionClicked(0);
    EXPECT_EQ(page.SortColumn, -1);
    EXPECT_EQ(names(), (QStringList{"cherry", "banana", "Apple"}));
    EXPECT_TRUE(picture(0));
    EXPECT_EQ(page.selectedRow(), 0); // the selection went with its row
    EXPECT_EQ(page.txtWhat->text(), "cherry");
    emit header->sectionClicked(0);
    EXPECT_EQ(page.SortColumn, 1);
    EXPECT_EQ(names(), (QStringList{"Apple", "banana", "cherry"})); // letter case counts: A before b

    // Times sort as text.
    emit header->sectionClicked(2);
    EXPECT_EQ(names(), (QStringList{"Apple", "cherry", "banana"})); // "10", "11", "9"
    EXPECT_FALSE(picture(0));
    EXPECT_TRUE(picture(2));
    emit header->sectionClicked(2);
    EXPECT_EQ(page.SortColumn, -3);
    EXPECT_EQ(names(), (QStringList{"banana", "cherry", "Apple"}));
    EXPECT_FALSE(page.btnSave->isEnabled()); // the order reaches the file with the next save

    answerDetails(true);
    page.btnAdd->click();
    EXPECT_EQ(list.row(3).Name, "Untitled Event"); // the sort is not kept
}

TEST_F(EventsPageTest, TheViewStyleButtonStepsAndTheMenuChooses)
{
    add(row("One", "Daily", "", "9:00:00 AM"));
    add(row("Two", "Start", "", ""));
    EXPECT_EQ(list.viewStyle(), vsReport);
    EXPECT_EQ(page.LV->currentWidget(), page.lvReport);
    EXPECT_TRUE(page.mnuViewStyle[vsReport]->isChecked());

    const ViewStyle expected[] = {vsIcon, vsSmallIcon, vsList, vsReport};
    for (const ViewStyle style : expected) {
        page.btnLV->click();
        EXPECT_EQ(list.viewStyle(), style);
        EXPECT_TRUE(page.mnuViewStyle[size_t(style)]->isChecked());
        EXPECT_EQ(page.LV->currentWidget() == page.lvReport, style == vsReport);
    }
    page.mnuViewStyle[vsSmallIcon]->trigger();
    EXPECT_EQ(list.viewStyle(), vsSmallIcon);
    // The file's view style comes back into the page.
    list.setViewStyle(vsIcon);
    EXPECT_TRUE(page.mnuViewStyle[vsIcon]->isChecked());

    // Select All is offered while not every row is selected; the selection is one for all views.
    page.selectRow(0);
    page.popLVPopup(QPoint(0, 0));
    EXPECT_TRUE(page.SelectAll1->isEnabled());
    page.popLV->close();
    page.SelectAll1->trigger();
    EXPECT_EQ(page.selectedRows(), (QList<int>{0, 1}));
    page.mnuViewStyle[vsReport]->trigger();
    EXPECT_EQ(page.lvReport->selectionModel()->selectedRows().size(), 2);
    page.popLVPopup(QPoint(0, 0));
    EXPECT_FALSE(page.SelectAll1->isEnabled());
    page.popLV->close();
}

TEST_F(EventsPageTest, ShowingTheDialogSelectsTheTopRowAndCopiesTheHints)
{
    add(row("First", "Start", "", ""));
    add(row("Second", "Daily", "", "9:00:00 AM"));
    page.selectRow(1);
    page.prepareForShow();
    EXPECT_EQ(page.selectedRows(), QList<int>{0});
    EXPECT_EQ(page.txtWhat->text(), "First");
    EXPECT_EQ(page.gpEvents->title(), "Start Event");
    EXPECT_EQ(page.Add1->toolTip(), "Clone the Selected Item"); // the menu's hints are the buttons'
}

TEST(EventsPageLocales, WhatThePickersWriteTheyReadBackInEveryLocale)
{
    fakes::FakePlatform fake;
    const QDate date(2026, 12, 28);
    const QTime time(21, 7, 45);
    const QTime later(8, 5, 9);
    int locales = 0;
    for (const QLocale& locale :
         QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        SCOPED_TRACE(locale.name().toStdString());
        fake.locale = core::LocaleFormats(locale);
        const core::LocaleFormats& formats = fake.locale;
        const platform::Platform here = fake.services();
        EventList list;
        EventStorage storage(list, fake.programPath("Events.dta"), fake.messages);
        TfrmEventDetails details(here);
        EventsPage page(list, storage, details, here);
        EventRecord r;
        r.Name = "Once";
        r.text(DayDate) = core::formatDateText(date, formats);
        r.text(TimeText) = core::formatTimeText(time, formats);
        r.text(ScheduleName) = "One Time";
        list.appendRow(r);
        page.selectRow(0);
        ASSERT_EQ(page.DTPDate->date(), date);
        ASSERT_EQ(page.DTPTime->time(), time);
        page.DTPTime->setTime(later);
        page.DTPDate->setDate(date.addDays(-360));
        ASSERT_EQ(core::parseTimeText(list.row(0).text(TimeText), formats), later);
        ASSERT_EQ(core::parseDateText(list.row(0).text(DayDate), formats), date.addDays(-360));
        ++locales;
    }
    EXPECT_TRUE(fake.messages.errors.isEmpty());
    EXPECT_GT(locales, 300);
}
