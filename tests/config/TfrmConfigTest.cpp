#include "config/TfrmConfig.h"
#include "app/TfrmClock.h"
#include "config/AppearancePage.h"
#include "events/EventList.h"
#include "events/EventStorage.h"
#include "events/EventsPage.h"
#include "events/TfrmEventDetails.h"
#include "nettime/InternetPage.h"
#include "nettime/TimeUpdate.h"
#include "support/ClockFixture.h"
#include "support/TestPictures.h"
#include "support/TimeServers.h"
#include "widgets/ColorPicker.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>
#include <gtest/gtest.h>

using config::TfrmConfig;

namespace {

class ConfigDialog : public fakes::ClockFixture
{
protected:
    events::EventList eventList;
    events::EventStorage eventStorage{eventList, fake.programPath("Events.dta"), fake.messages};
    timeservers::ScriptedLookup lookup;
    QString timeServer;
    qint32 timeOut = 2000;
    nettime::TimeUpdate timeUpdate{fake.services(), lookup, timeServer, timeOut};
    std::unique_ptr<events::TfrmEventDetails> details;
    std::unique_ptr<TfrmConfig> dialog;

    void SetUp() override
    {
        create();
        startUp();
        eventStorage.LoadEvents();
        details = std::make_unique<events::TfrmEventDetails>(fake.services());
        dialog = std::make_unique<TfrmConfig>(*clock, eventList, eventStorage, *details, timeUpdate);
    }
    void TearDown() override
    {
        dialog.reset();
        details.reset();
        ClockFixture::TearDown();
    }
    config::AppearancePage& page() { return *dialog->tabAppearance; }
    void open()
    {
        dialog->showDialog();
        QApplication::setActiveWindow(dialog.get());
        dialog->lvSide->setCurrentRow(TfrmConfig::ItemAppearance);
    }
    // Moves a size slider as the user does: with the keyboard focus on it.
    void slide(QSlider* s, int value)
    {
        s->setFocus();
        ASSERT_TRUE(s->hasFocus());
        s->setValue(value);
    }
    QString picture(const QString& name, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setPixel(size.width() / 2, size.height() / 2, qRgb(0, 0, 0));
        const QString path = fake.programPath(name);
        EXPECT_TRUE(testpics::writeFile(path, testpics::bmpBytes(image)));
        return path;
    }
    void choosePicture(const QString& path)
    {
        fake.dialogs.nextFile = path;
        QTest::mouseClick(page().btnOpenPic, Qt::LeftButton);
    }
};

} // namespace

TEST_F(ConfigDialog, KeepAspectFollowsThePictureAndLeavesARectangle)
{
    open();
    choosePicture(picture("wide.bmp", {300, 200}));
    EXPECT_EQ(clock->size(), QSize(300, 200));             // a new picture starts at its own size...
    EXPECT_EQ(clock->Settings.Shape, app::ShapeRectangle); // ...as a rectangle
    EXPECT_TRUE(page().btnEditPicture->isEnabled());
    EXPECT_TRUE(page().btnClear->isEnabled());

    slide(page().trkWidth, 150);
    EXPECT_EQ(page().trkHeight->value(), 100);
    EXPECT_EQ(clock->size(), QSize(150, 100));
    EXPECT_EQ(clock->mask(), QRegion(0, 0, 150, 100));
    EXPECT_EQ(page().trkWidth->toolTip(), "150 pixels");
    EXPECT_EQ(page().trkHeight->toolTip(), "100 pixels");

    page().radRatio->button(0)->click(); // None
    slide(page().trkWidth, 120);
    EXPECT_EQ(clock->size(), QSize(120, 100));
    page().radRatio->button(1)->click(); // 1 : 1
    slide(page().trkHeight, 90);
    EXPECT_EQ(clock->size(), QSize(90, 90));

    // Exact halves go to the even neighbour: 429 x 21 / 18 is 500.5.
    page().radRatio->button(2)->click(); // Keep Aspect
    choosePicture(picture("narrow.bmp", {18, 21}));
    slide(page().trkWidth, 429);
    EXPECT_EQ(page().trkHeight->value(), 500);
    slide(page().trkHeight, 35); // 30 exactly
    EXPECT_EQ(page().trkWidth->value(), 30);
}

TEST_F(ConfigDialog, FullSizeStopsAtTheSmallerSideOfTheScreen)
{
    open();
    choosePicture(picture("tall.bmp", {300, 1000}));
    EXPECT_EQ(page().trkWidth->maximum(), 768);
    EXPECT_EQ(clock->size(), QSize(300, 768));
    QTest::mouseClick(page().btnClear, Qt::LeftButton);
    EXPECT_TRUE(clock->Settings.PictureFile.isEmpty());
    EXPECT_TRUE(clock->Picture.isEmpty());
    EXPECT_FALSE(page().btnEditPicture->isEnabled());
    EXPECT_FALSE(page().btn100->isEnabled());
    EXPECT_EQ(clock->Settings.Shape, app::ShapeRectangle); // clearing keeps the shape
}

TEST_F(ConfigDialog, APictureThatCannotBeShownIsReportedAndCanBeCleared)
{
    open();
    const QString broken = fake.programPath("broken.gif");
    testpics::writeFile(broken, "GIF89a and then nothing");
    choosePicture(broken);
    ASSERT_EQ(fake.messages.errors.size(), 1);
    EXPECT_TRUE(fake.messages.errors[0].contains("broken.gif"));
    EXPECT_EQ(clock->Settings.PictureFile, broken);
    EXPECT_TRUE(page().btnClear->isEnabled());
    ASSERT_EQ(fake.dialogs.fileQuestions.size(), 1);
    EXPECT_TRUE(fake.dialogs.fileQuestions[0].startsWith(fake.folders.ClocksFolder + "|"));

    QTest::mouseClick(page().btnEditPicture, Qt::LeftButton);
    EXPECT_EQ(fake.shell.opened.value(0), QUrl::fromLocalFile(broken));
}

TEST_F(ConfigDialog, HideClockNeedsTheTrayIconAndGivesWayToIt)
{
    fake.settings.set("Clock", "OnTray", "0");
    clock = std::make_unique<app::TfrmClock>(fake.services(), fake.characters, flags);
    clock->show();
    dialog = std::make_unique<TfrmConfig>(*clock, eventList, eventStorage, *details, timeUpdate);
    open();
    page().pgcClock->setCurrentIndex(0);
    EXPECT_FALSE(page().chkOnTray->isChecked());
    page().chkHide->click();
    EXPECT_TRUE(page().chkOnTray->isChecked());
    EXPECT_TRUE(clock->trayShown());
    EXPECT_FALSE(clock->isVisible());
    EXPECT_FALSE(clock->Settings.Visible);

    page().chkOnTray->click();
    EXPECT_FALSE(page().chkHide->isChecked());
    EXPECT_TRUE(clock->isVisible());
    EXPECT_TRUE(clock->Settings.Visible);
    EXPECT_FALSE(clock->Settings.OnTray);
}

TEST_F(ConfigDialog, HandsAreFilledInWholePercentAndTheirHintsSayPixelOrPixels)
{
    clock->Settings.SecHand.Length = 0.923;
    open();
    page().pgcClock->setCurrentIndex(1);
    EXPECT_DOUBLE_EQ(clock->Settings.SecHand.Length, 0.92);
    const auto& second = page().hands[0];
    EXPECT_EQ(second.length->toolTip(), "92 percent of the Clock's horizontal radius");
    second.width->setValue(1);
    EXPECT_EQ(second.width->toolTip(), "1 pixel");
    second.width->setValue(2);
    EXPECT_EQ(second.width->toolTip(), "2 pixels");
    EXPECT_EQ(clock->Settings.SecHand.Width, 2);
    EXPECT_EQ(page().hands[2].mode->currentText(), "NotMerge");

    // 'Copy' for the hour hand gives the caption the hour hand's colour.
    page().hands[2].color->pick(0x336699);
    page().hands[2].mode->setCurrentIndex(app::pmCopy);
    emit page().hands[2].mode->activated(app::pmCopy);
    EXPECT_EQ(clock->Settings.HourHand.Mode, app::pmCopy);
    EXPECT_EQ(clock->Settings.CaptionColor, 0x336699);
}

TEST_F(ConfigDialog, CancelPutsBackTheLooksButNotTheIntervalOrHiding)
{
    open();
    const QRect before = clock->geometry();
    slide(page().trkWidth, 200);
    EXPECT_EQ(clock->size(), QSize(200, 200)); // "Keep Aspect" of a square window
    EXPECT_EQ(clock->Settings.Shape, app::ShapeRectangle);
    page().chkOnTop->click();
    EXPECT_TRUE(clock->popConfig->mnuOnTop->isChecked());
    page().btnClockColor->pick(0x00FF00);
    page().trkTimer->setValue(300);
    page().chkHide->click();
    EXPECT_FALSE(clock->Settings.Visible);

    QTest::mouseClick(dialog->btnCancel, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(clock->geometry(), before);
    EXPECT_EQ(clock->Settings.Shape, app::ShapeEllipse);
    EXPECT_FALSE(clock->mask().contains(QPoint(2, 2)));
    EXPECT_FALSE(clock->Settings.OnTop);
    EXPECT_FALSE(clock->popConfig->mnuOnTop->isChecked());
    EXPECT_FALSE(clock->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(clock->Settings.Color, app::clDesktopBackground);
    EXPECT_EQ(clock->tmr->interval(), 300);
    EXPECT_FALSE(clock->Settings.Visible);
    EXPECT_FALSE(fake.autostart.on); // only OK writes the start-up entry
}

TEST_F(ConfigDialog, OkKeepsEverythingAndWritesTheStartUpEntry)
{
    open();
    page().btnClockColor->pick(0x00FF00);
    page().chkRunAtStartup->click();
    QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
    EXPECT_EQ(dialog->DialogResult, TfrmConfig::Result::OK);
    EXPECT_EQ(clock->Settings.Color, 0x00FF00);
    EXPECT_TRUE(fake.autostart.on);

    open();
    EXPECT_TRUE(page().chkRunAtStartup->isChecked());
    EXPECT_EQ(dialog->DialogResult, TfrmConfig::Result::None);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->DialogResult, TfrmConfig::Result::Cancel);
}

TEST_F(ConfigDialog, TheSideBarRemembersItsItemAndNamesItInTheCaption)
{
    dialog->showDialog();
    EXPECT_EQ(dialog->lvSide->currentRow(), TfrmConfig::ItemEvents);
    EXPECT_EQ(dialog->helpContext(), 530);
    dialog->lvSide->setCurrentRow(TfrmConfig::ItemAppearance);
    EXPECT_EQ(dialog->windowTitle(), "Configure Clock - Change the Appearance");
    EXPECT_EQ(dialog->helpContext(), 290);
    dialog->lvSide->setCurrentRow(TfrmConfig::ItemAdjustTime);
    EXPECT_TRUE(dialog->tmr->isActive());
    dialog->lvSide->setCurrentRow(TfrmConfig::ItemTimeZones);
    EXPECT_FALSE(dialog->tmr->isActive());
    dialog->close();
    dialog->showDialog();
    EXPECT_EQ(dialog->lvSide->currentRow(), TfrmConfig::ItemTimeZones);
    EXPECT_EQ(dialog->windowTitle(), "Configure Clock - Time Zones");

    QFile(fake.programPath("veskel.html")).open(QIODevice::WriteOnly);
    QTest::mouseClick(dialog->btnHelp, Qt::LeftButton);
    EXPECT_EQ(fake.shell.opened.value(0).fragment(), "time-zones");
}

TEST_F(ConfigDialog, SideBarColoursComeFromTheColourDialog)
{
    open();
    fake.dialogs.nextColor = QColor(255, 0, 0);
    dialog->BackgroundColor1->trigger();
    EXPECT_EQ(clock->Settings.SideBarColor, 0x0000FF);
    EXPECT_EQ(dialog->lvSide->palette().color(QPalette::Base), QColor(255, 0, 0));
    dialog->Font1->trigger(); // cancelled: nothing changes
    EXPECT_EQ(clock->Settings.SideBarFontColor, app::clHighlightText);
    EXPECT_EQ(fake.dialogs.colorQuestions, 2);

    fake.dialogs.nextColor = QColor(1, 2, 3);
    page().btnIconMinHandColor->moreColors();
    EXPECT_EQ(clock->Settings.IconMinHandColor, 0x030201);
}

TEST_F(ConfigDialog, ClosingADialogThatWasNeverShownChangesNothing)
{
    // As at the program's end, which closes every window.
    const app::HandStyle hand = clock->Settings.SecHand;
    const QRect bounds = clock->geometry();
    QCloseEvent close;
    QApplication::sendEvent(dialog.get(), &close);
    EXPECT_DOUBLE_EQ(clock->Settings.SecHand.Length, hand.Length);
    EXPECT_EQ(clock->Settings.SecHand.Mode, hand.Mode);
    EXPECT_EQ(clock->geometry(), bounds);
    EXPECT_EQ(clock->Settings.Color, app::clDesktopBackground);
}

TEST_F(ConfigDialog, CancelTakesBackEveryClockChangeSinceTheLastCancelAndOkKeepsThem)
{
    nettime::InternetPage& internet = *dialog->tabInternet;
    fake.clock.current = fake.clock.current.addMSecs(500); // the middle of the server's second
    const auto update = [&](int seconds) {
        timeservers::LoopbackServer server(timeservers::LoopbackServer::Mode::SendAndClose,
                                           timeservers::replyAt(fake.clock.current.addSecs(seconds)));
        internet.cboHost->setEditText("127.0.0.1");
        internet.txtPort->setText(QString::number(server.port()));
        internet.btnUpdateTimeClick();
    };
    fake.messages.answer = platform::MessageBoxes::Answer::No; // the server stays out of the file

    open();
    dialog->lvSide->setCurrentRow(TfrmConfig::ItemAdjustTime);
    EXPECT_TRUE(dialog->tmr->isActive());
    const QDateTime start = fake.clock.current;
    update(3);
    update(2);
    EXPECT_EQ(fake.clock.current, start.addSecs(5));
    EXPECT_EQ(internet.panelText(0).toStdString(), "Total change +00:00:05");
    QTest::mouseClick(dialog->btnCancel, Qt::LeftButton);
    EXPECT_EQ(fake.clock.current, start);
    EXPECT_EQ(internet.panelText(0).toStdString(), "Last change undone");
    EXPECT_EQ(timeUpdate.TotalChange(), 0);
    EXPECT_FALSE(dialog->tmr->isActive());

    // OK keeps the changes; the next cancel takes them back with its own.
    open();
    update(4);
    QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
    EXPECT_EQ(fake.clock.current, start.addSecs(4));
    open();
    update(-1);
    QTest::mouseClick(dialog->btnCancel, Qt::LeftButton);
    EXPECT_EQ(fake.clock.current, start);
    const int sets = int(fake.clockSetter.asked.size());
    open();
    QTest::mouseClick(dialog->btnCancel, Qt::LeftButton); // nothing to take back
    EXPECT_EQ(fake.clockSetter.asked.size(), sets);
}

TEST_F(ConfigDialog, AnEventEditCountsAtOnceAndTheCloseQuestionDecidesWhatBecomesOfIt)
{
    events::EventRecord row;
    row.Name = "Alarm";
    row.text(events::ScheduleName) = "Daily";
    row.text(events::TimeText) = "7:00:00 AM";
    row.Active = true;
    dialog->Events.appendRow(row);
    ASSERT_TRUE(dialog->Storage.SaveEvents(true));
    dialog->showDialog();
    events::EventsPage& page = *dialog->tabAlarms;
    EXPECT_EQ(dialog->lvSide->currentRow(), TfrmConfig::ItemEvents);
    EXPECT_EQ(page.selectedRow(), 0);
    EXPECT_EQ(page.DTPTime->time(), QTime(7, 0));
    EXPECT_FALSE(page.btnSave->isEnabled());

    page.DTPTime->setTime(QTime(7, 30));
    EXPECT_EQ(dialog->Events.row(0).text(events::TimeText), "7:30:00 AM"); // the scheduler sees it now
    EXPECT_TRUE(page.btnSave->isEnabled());
    // Cancel at the question keeps the dialog open, on the events.
    dialog->lvSide->setCurrentRow(TfrmConfig::ItemAppearance);
    fake.messages.answer = platform::MessageBoxes::Answer::Cancel;
    dialog->close();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->lvSide->currentRow(), TfrmConfig::ItemEvents);
    EXPECT_EQ(fake.messages.questions, QStringList{"Do you want to save the Scheduled Events?"});
    // No puts back the file's event.
    fake.messages.answer = platform::MessageBoxes::Answer::No;
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(dialog->Events.count(), 1);
    EXPECT_EQ(dialog->Events.row(0).text(events::TimeText), "7:00:00 AM");
    EXPECT_TRUE(dialog->Events.row(0).Active);
    EXPECT_FALSE(dialog->Events.saveCommandEnabled());

    // Yes, here after OK, saves it.
    dialog->showDialog();
    page.DTPTime->setTime(QTime(8, 0));
    fake.messages.answer = platform::MessageBoxes::Answer::Yes;
    QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    dialog->Events.clear();
    dialog->Storage.LoadEvents();
    EXPECT_EQ(dialog->Events.row(0).text(events::TimeText), "8:00:00 AM");
    // Nothing changed: nothing asked.
    dialog->showDialog();
    dialog->close();
    EXPECT_EQ(fake.messages.questions.size(), 3);
}
