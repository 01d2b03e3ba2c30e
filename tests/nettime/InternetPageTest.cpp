#include "nettime/InternetPage.h"
#include "nettime/TimeClient.h"
#include "nettime/TimeUpdate.h"
#include "support/FakePlatform.h"
#include "support/Files.h"
#include "support/TimeServers.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimeZone>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

using namespace timeservers;
using nettime::InternetPage;
using nettime::TimeUpdate;

namespace {

class InternetPageTest : public ::testing::Test
{
protected:
    fakes::FakePlatform fake;
    ScriptedLookup lookup;
    QString timeServer = "beta";
    qint32 timeOut = 5000;
    QTimer tmr;
    std::unique_ptr<TimeUpdate> update;
    std::unique_ptr<InternetPage> page;
    const QTimeZone berlin{"Europe/Berlin"};

    void SetUp() override
    {
        tmr.setInterval(1000);
        fake.clock.current = QDateTime(QDate(2026, 3, 2), QTime(12, 0, 5), berlin);
        update = std::make_unique<TimeUpdate>(fake.services(), lookup, timeServer, timeOut);
        page = std::make_unique<InternetPage>(fake.services(), *update, tmr);
    }
};

} // namespace

TEST_F(InternetPageTest, TheServerBoxShowsTheListAndTheRememberedServerAndTypingStopsAt34)
{
    ASSERT_TRUE(fakes::writeAllOf(fake.folders.dataFile("NTPServers.dta"),
                                  "beta\r\nAlpha\r\n" + QByteArray(40, 'a') + "\r\n"));
    update->LoadServerList();
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->cboHost->count() == 3; }));
    EXPECT_EQ(page->cboHost->itemText(1), "Alpha");
    EXPECT_EQ(page->cboHost->currentText(), "beta");
    page->cboHost->setCurrentIndex(0); // a longer name from the file is kept whole
    EXPECT_EQ(update->Host().size(), 40);
    page->cboHost->setEditText("");
    page->cboHost->lineEdit()->setFocus();
    QTest::keyClicks(page->cboHost->lineEdit(), QString(40, 'b'));
    EXPECT_EQ(update->Host().toStdString(), std::string(34, 'b'));
}

TEST_F(InternetPageTest, WhileTheServerIsAskedItsBoxIsLockedAndTheButtonStopsTheUpdate)
{
    LoopbackServer silent(LoopbackServer::Mode::Silent);
    page->cboHost->setEditText("127.0.0.1");
    page->txtPort->setText(QString::number(silent.port()));
    page->trkTimeOut->setValue(0); // "Never": only a stop ends it
    EXPECT_EQ(timeOut, 0);
    bool lockedMeanwhile = false;
    QTimer::singleShot(50, [&] {
        lockedMeanwhile = !page->cboHost->isEnabled();
        QTest::mouseClick(page->btnUpdateTime, Qt::LeftButton);
    });
    QTest::mouseClick(page->btnUpdateTime, Qt::LeftButton);
    EXPECT_TRUE(lockedMeanwhile);
    EXPECT_TRUE(page->cboHost->isEnabled());
    EXPECT_EQ(page->panelText(1), "Connection Canceled");
}

TEST_F(InternetPageTest, ThePickerFollowsTheClockUntilItIsEditedAndShowsTheZonesTime)
{
    fake.clock.advance(30);
    page->show(); // at once, before the refresh's first tick
    EXPECT_EQ(page->dtp->time(), QTime(12, 0, 35));
    tmr.start();
    fake.clock.current = QDateTime(QDate(2027, 10, 31), QTime(1, 10), Qt::UTC); // the second 02:10
    page->tmrTimer();
    EXPECT_EQ(page->dtp->time(), QTime(2, 10));
    EXPECT_FALSE(page->btnApplyTimeChange->isEnabled());

    QApplication::setActiveWindow(page.get());
    page->dtp->setFocus();
    ASSERT_TRUE(page->dtp->hasFocus());
    EXPECT_TRUE(page->lblTime->isVisible());
    EXPECT_EQ(page->lblTime->text(), "2:10:00 AM");
    page->dtp->setTime(QTime(2, 15)); // the user's edit
    EXPECT_TRUE(page->btnCancelTimeSet->isEnabled());
    fake.clock.advance(2);
    page->tmrTimer();
    EXPECT_EQ(page->lblTime->text(), "2:10:02 AM"); // the picker is left alone
    QTest::mouseClick(page->btnApplyTimeChange, Qt::LeftButton);
    EXPECT_EQ(fake.clockSetter.asked, QList<qint64>({298000}));
    EXPECT_EQ(page->panelText(1), "Time changed by +00:04:58.000");
    EXPECT_TRUE(page->btnUndo->isEnabled());
    EXPECT_FALSE(page->btnApplyTimeChange->isEnabled());
    QTest::mouseClick(page->btnUndo, Qt::LeftButton);
    EXPECT_EQ(fake.clockSetter.asked.last(), -298000);
    EXPECT_FALSE(page->btnUndo->isEnabled());

    // Cancel abandons an edit and lets the picker follow the clock again.
    page->dtp->setTime(QTime(8, 0, 0));
    QPushButton elsewhere("OK", page.get());
    elsewhere.show();
    page->setFocusAfterCancel(&elsewhere);
    QTest::mouseClick(page->btnCancelTimeSet, Qt::LeftButton);
    EXPECT_FALSE(page->btnApplyTimeChange->isEnabled());
    EXPECT_TRUE(elsewhere.hasFocus());
    EXPECT_FALSE(page->lblTime->isVisible());
    page->tmrTimer();
    EXPECT_EQ(page->dtp->time(), QTime(2, 10, 2));
}

TEST_F(InternetPageTest, TheDateAndTimeButtonOpensTheDesktopsSettingsOrSaysThereAreNone)
{
    QTest::mouseClick(page->btnTimeDateCPL, Qt::LeftButton);
    EXPECT_EQ(fake.dateTimeSettings.opened, 1);
    EXPECT_TRUE(fake.messages.warnings.isEmpty());
    fake.dateTimeSettings.found = false;
    QTest::mouseClick(page->btnTimeDateCPL, Qt::LeftButton);
    EXPECT_EQ(fake.messages.warnings, QStringList({"No program for the date and time settings was found."}));
}
