#include "nettime/InternetPage.h"
#include "core/DateTimeText.h"
#include "nettime/TimeClient.h"
#include "nettime/TimeUpdate.h"
#include "support/FakePlatform.h"
#include "support/Files.h"
#include "support/TimeServers.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

using namespace timeservers;
using nettime::InternetPage;
using Result = platform::ClockSetter::Result;

namespace {

constexpr double Second = 1.0 / 86400;

class InternetPageTest : public ::testing::Test
{
protected:
    fakes::FakePlatform fake;
    ScriptedLookup lookup;
    QString timeServer;
    QTimer tmr;
    std::unique_ptr<nettime::TimeUpdate> update;
    std::unique_ptr<InternetPage> page;
    QStringList panel1; // every text of panel 1, in order

    void SetUp() override
    {
        tmr.setInterval(1000);
        fake.clock.current = QDateTime(QDate(2026, 3, 2), QTime(12, 0, 5));
        make();
    }
    void make()
    {
        page.reset();
        update = std::make_unique<nettime::TimeUpdate>(fake.services(), lookup, timeServer);
        update->setLocalBias([] { return 0; });
        update->TimeClient1->TimeOut = 2000;
        page = std::make_unique<InternetPage>(fake.services(), *update, tmr);
        QObject::connect(update.get(), &nettime::TimeUpdate::statusChanged,
                         [this](int panel, const QString& text) {
                             if (panel == 1)
                                 panel1 << text;
                         });
    }
    QString serverFile() const { return fake.folders.dataFile("NTPServers.dta"); }
    void writeServerFile(const QByteArray& bytes) { ASSERT_TRUE(fakes::writeAllOf(serverFile(), bytes)); }
    QByteArray serverFileBytes() const { return fakes::readAllOf(serverFile()); }
    QStringList items() const
    {
        QStringList list;
        for (int i = 0; i < page->cboHost->count(); ++i)
            list << page->cboHost->itemText(i);
        return list;
    }
    // Runs the update command against a server on loopback, the server named as `host`.
    void updateFrom(const LoopbackServer& server, const QString& host = "127.0.0.1")
    {
        page->cboHost->setEditText(host);
        page->txtPort->setText(QString::number(server.port()));
        page->btnUpdateTimeClick();
    }
    void updateFrom(const QTime& serverUtc)
    {
        LoopbackServer server(LoopbackServer::Mode::SendAndClose, replyFor(serverUtc));
        updateFrom(server);
    }
};

} // namespace

TEST_F(InternetPageTest, TheServerBoxIsSortedFromTheFileAndShowsTheRememberedServer)
{
    make();
    update->LoadServerList();
    EXPECT_TRUE(items().isEmpty()); // no file, no setting: an empty box
    EXPECT_EQ(page->cboHost->currentText(), "");

    writeServerFile("beta\r\nAlpha");
    timeServer = "beta";
    make();
    update->LoadServerList();
    EXPECT_EQ(items(), QStringList({"Alpha", "beta"}));
    EXPECT_EQ(page->cboHost->currentText(), "beta");

    writeServerFile("zeta\ngamma\n");
    make();
    update->LoadServerList();
    EXPECT_EQ(items(), QStringList({"gamma", "zeta"}));

    // Typing stops at 34 characters; a longer name from the file is kept whole.
    writeServerFile(QByteArray(40, 'a') + "\r\n");
    make();
    update->LoadServerList();
    page->cboHost->setCurrentIndex(0);
    EXPECT_EQ(page->cboHost->currentText().size(), 40);
    page->cboHost->setEditText("");
    page->cboHost->lineEdit()->setFocus();
    QTest::keyClicks(page->cboHost->lineEdit(), QString(40, 'b'));
    EXPECT_EQ(page->cboHost->currentText().toStdString(), std::string(34, 'b'));
}

TEST_F(InternetPageTest, AnUpdateReportsEachStepSetsTheClockAndOffersTheNewServer)
{
    writeServerFile("beta\r\nAlpha");
    make();
    update->LoadServerList();
    fake.messages.answer = platform::MessageBoxes::Answer::No;
    // Local 12:00:05, the server's time 12:00:00 local.
    updateFrom(QTime(12, 0, 0));

    EXPECT_EQ(panel1, QStringList({"Disconnected", "127.0.0.1", "Connected", "Disconnected",
                                   "Time changed by 00:00:05.000"}));
    EXPECT_EQ(page->panelText(0), "Total change -00:00:05");
    EXPECT_NEAR(update->LastChange(), -5 * Second, 1e-9);
    EXPECT_TRUE(page->btnUndo->isEnabled());
    ASSERT_EQ(fake.clockSetter.asked.size(), 1);
    EXPECT_EQ(fake.clockSetter.asked[0], QDateTime(QDate(2026, 3, 2), QTime(12, 0, 0)));
    EXPECT_EQ(timeServer, "127.0.0.1"); // remembered on connecting

    // The new server is offered with the exact texts; No keeps it in the list, not in the file.
    ASSERT_EQ(fake.messages.questions.size(), 1);
    EXPECT_EQ(fake.messages.questions[0], "Save \n\n127.0.0.1\n\n to the NTP Server data file?");
    EXPECT_EQ(items(), QStringList({"127.0.0.1", "Alpha", "beta"}));
    EXPECT_EQ(serverFileBytes(), "beta\r\nAlpha");
    updateFrom(QTime(12, 0, 0));
    EXPECT_EQ(fake.messages.questions.size(), 1); // in the list now: not asked again
}

TEST_F(InternetPageTest, YesWritesTheWholeSortedListWithCrLf)
{
    writeServerFile("beta\nAlpha\n");
    make();
    update->LoadServerList();
    fake.messages.answer = platform::MessageBoxes::Answer::Yes;
    lookup.behaviour = ScriptedLookup::Behaviour::Loopback;
    LoopbackServer server(LoopbackServer::Mode::SendAndClose, replyFor(QTime(12, 0, 0)));
    updateFrom(server, "Gamma.example");
    EXPECT_TRUE(panel1.contains("Host resolved"));
    EXPECT_EQ(serverFileBytes(), "Alpha\r\nbeta\r\nGamma.example\r\n");
    ASSERT_EQ(fake.messages.informations.size(), 1);
    EXPECT_EQ(fake.messages.informations[0], "Gamma.example\nwas saved to the data file NTPServers.dta");

    // A name that differs only in letter case is not offered.
    updateFrom(server, "gamma.EXAMPLE");
    EXPECT_EQ(fake.messages.questions.size(), 1);
    EXPECT_EQ(items(), QStringList({"Alpha", "beta", "Gamma.example"}));
}

TEST_F(InternetPageTest, AFailedFetchReportsItselfAndChangesNothing)
{
    update->TimeClient1->TimeOut = 150;
    page->cboHost->setEditText("127.0.0.1");
    page->txtPort->setText(QString::number(closedPort()));
    page->btnUpdateTimeClick();
    EXPECT_EQ(page->panelText(1), "Connection Timed out");
    EXPECT_TRUE(fake.clockSetter.asked.isEmpty());
    EXPECT_TRUE(fake.messages.questions.isEmpty());
    EXPECT_TRUE(items().isEmpty()); // never added
    EXPECT_EQ(update->TotalChange(), 0);

    page->cboHost->setEditText("no.such.host.example");
    page->btnUpdateTimeClick();
    EXPECT_EQ(page->panelText(1), "Null Remote Address");
    EXPECT_TRUE(panel1.contains("Invalid Host"));
    EXPECT_EQ(lookup.started, 2); // the page asks for one more try
    EXPECT_TRUE(items().isEmpty());
}

TEST_F(InternetPageTest, ChangesAndTotalsAreReportedAsTheyAdd)
{
    // Under half a second: reported to the millisecond, nothing to undo.
    fake.clock.current = QDateTime(QDate(2026, 3, 2), QTime(12, 0, 0, 300));
    updateFrom(QTime(12, 0, 0));
    EXPECT_EQ(page->panelText(1), "Time changed by 00:00:00.300");
    EXPECT_EQ(page->panelText(0), "Time Changed by less than a second");
    EXPECT_FALSE(page->btnUndo->isEnabled());

    // +5 s, then -5 s: the total is back under a second, the last change is 5 s.
    fake.clock.current = QDateTime(QDate(2026, 3, 2), QTime(12, 0, 0));
    updateFrom(QTime(12, 0, 5));
    EXPECT_EQ(page->panelText(0).toStdString(), "Total change +00:00:04"); // 5 s less the 0.3 s
    updateFrom(QTime(12, 0, 0));
    EXPECT_EQ(page->panelText(1), "Time changed by 00:00:05.000");
    EXPECT_EQ(page->panelText(0), "Time Changed by less than a second");
    EXPECT_TRUE(page->btnUndo->isEnabled());

    // Local 23:59:58, the server's 00:00:03: the same date, almost a day back.
    fake.clock.current = QDateTime(QDate(2026, 3, 2), QTime(23, 59, 58));
    updateFrom(QTime(0, 0, 3));
    EXPECT_EQ(fake.clockSetter.asked.last(), QDateTime(QDate(2026, 3, 2), QTime(0, 0, 3)));
    EXPECT_EQ(page->panelText(1), "Time changed by 23:59:55.000");
}

TEST_F(InternetPageTest, TheZonesBiasTurnsTheServersUtcIntoLocalTime)
{
    update->setLocalBias([] { return -600; });
    updateFrom(QTime(20, 0, 0));
    EXPECT_EQ(fake.clockSetter.asked.last(), QDateTime(QDate(2026, 3, 2), QTime(6, 0, 0)));

    fake.clock.current = QDateTime(QDate(2026, 3, 2), QTime(12, 0, 0));
    update->setLocalBias([] { return 300; });
    updateFrom(QTime(1, 0, 0));
    EXPECT_EQ(fake.clockSetter.asked.last(), QDateTime(QDate(2026, 3, 2), QTime(20, 0, 0)));
}

TEST_F(InternetPageTest, AFirstSetThatIsRefusedNeverSaysTheClockChanged)
{
    const QString before = page->panelText(0);
    fake.clockSetter.answer = Result::Refused;
    updateFrom(QTime(12, 1, 30)); // a server 90 s off
    EXPECT_EQ(page->panelText(1), "Failed to set time");
    EXPECT_EQ(page->panelText(0), before);
    EXPECT_FALSE(page->panelText(0).contains("less than a second"));
}

TEST_F(InternetPageTest, ARefusedSetIsToldAndCountsNowhere)
{
    updateFrom(QTime(12, 0, 0)); // -5 s, made
    fake.clockSetter.answer = Result::Refused;
    fake.clock.current = QDateTime(QDate(2026, 3, 2), QTime(12, 0, 0));
    updateFrom(QTime(12, 1, 0));
    EXPECT_EQ(fake.messages.warnings, QStringList({"Failed to set time"}));
    EXPECT_EQ(page->panelText(1), "Failed to set time");
    EXPECT_EQ(fake.clock.current.time(), QTime(12, 0, 0));
    EXPECT_EQ(page->panelText(0), "Total change -00:00:05"); // the refused minute is not in it
    EXPECT_NEAR(update->LastChange(), -5 * Second, 1e-9);    // still the one the undo takes back
    EXPECT_TRUE(page->btnUndo->isEnabled());

    fake.clockSetter.answer = Result::AutomaticSyncOn;
    updateFrom(QTime(12, 1, 0));
    ASSERT_EQ(fake.messages.warnings.size(), 2);
    EXPECT_TRUE(fake.messages.warnings[1].contains("automatic time"));
    EXPECT_TRUE(fake.messages.warnings[1].contains("timedatectl set-ntp false"));

    // A refused undo keeps the accounts too; a granted one clears the last change.
    page->btnUndoClick();
    EXPECT_EQ(fake.messages.warnings.size(), 3);
    EXPECT_NEAR(update->TotalChange(), -5 * Second, 1e-9);
    fake.clockSetter.answer = Result::Set;
    page->btnUndoClick();
    EXPECT_EQ(fake.clock.current.time(), QTime(12, 0, 5));
    EXPECT_EQ(page->panelText(0), "Last change undone");
    EXPECT_EQ(update->LastChange(), 0);
    EXPECT_NEAR(update->TotalChange(), 0, 1e-12);
    EXPECT_FALSE(page->btnUndo->isEnabled());
    page->btnUndoClick(); // nothing left to undo
    EXPECT_EQ(fake.clockSetter.asked.size(), 5);
}

TEST_F(InternetPageTest, AnUndoAcrossMidnightKeepsTheDateRight)
{
    fake.clock.current = QDateTime(QDate(2026, 3, 2), QTime(23, 59, 50));
    updateFrom(QTime(23, 59, 55)); // +5 s
    fake.clock.current = QDateTime(QDate(2026, 3, 3), QTime(0, 0, 2));
    page->btnUndoClick();
    EXPECT_EQ(fake.clock.current, QDateTime(QDate(2026, 3, 2), QTime(23, 59, 57)));
}

TEST_F(InternetPageTest, ASecondUpdateIsNotStartedWhileOneRuns)
{
    LoopbackServer slow(LoopbackServer::Mode::SendLater, replyFor(QTime(12, 0, 0)));
    slow.delayMs = 200;
    bool skippedAtOnce = false;
    QTimer::singleShot(50, [&] {
        EXPECT_TRUE(update->busy());
        EXPECT_FALSE(page->btnUpdateTime->isEnabled());
        page->btnUpdateTimeClick(); // as an adjust-time event would
        skippedAtOnce = update->busy();
    });
    updateFrom(slow);
    EXPECT_TRUE(skippedAtOnce);
    EXPECT_EQ(slow.accepted, 1);
    EXPECT_EQ(fake.clockSetter.asked.size(), 1);
    EXPECT_FALSE(update->busy());
    EXPECT_TRUE(page->btnUpdateTime->isEnabled());
}

TEST_F(InternetPageTest, AnUpdateFromXinetdSetsTheClockToTheServersTime)
{
    XinetdTimeServer server;
    if (!server.running())
        GTEST_SKIP() << server.skipReason.toStdString();
    page->cboHost->setEditText("127.0.0.1");
    page->txtPort->setText(QString::number(server.port));
    page->btnUpdateTimeClick();
    ASSERT_EQ(fake.clockSetter.asked.size(), 1) << page->panelText(1).toStdString();
    const int serverSeconds = fake.clock.current.time().msecsSinceStartOfDay() / 1000;
    const int utcSeconds = QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay() / 1000;
    const int apart = std::abs(serverSeconds - utcSeconds);
    EXPECT_LE(std::min(apart, 86400 - apart), 2);
    EXPECT_EQ(fake.clock.current.date(), QDate(2026, 3, 2)); // only the time of day is set
}

TEST_F(InternetPageTest, TheServersTimeIsReadBackUnderLocalesThatWriteTimesTheirOwnWay)
{
    for (const char* name :
         {"es_ES", "nn_NO", "fr_CA", "ja_JP", "ko_KR", "zh_TW", "ar_EG", "fi_FI", "en_US"}) {
        fake.locale = core::LocaleFormats(QLocale(QString::fromLatin1(name)));
        make();
        fake.clock.current = QDateTime(QDate(2026, 3, 2), QTime(12, 0, 5));
        updateFrom(QTime(21, 30, 15));
        EXPECT_EQ(fake.clock.current, QDateTime(QDate(2026, 3, 2), QTime(21, 30, 15)))
            << name << ": " << page->panelText(1).toStdString();
        page->show();
        QApplication::setActiveWindow(page.get());
        page->dtp->setFocus();
        EXPECT_EQ(core::parseTimeText(page->lblTime->text(), fake.locale), QTime(21, 30, 15)) << name;
    }
}

TEST_F(InternetPageTest, ThePickerFollowsTheClockUntilItIsEdited)
{
    fake.clock.advance(30);
    page->show(); // at once, before the refresh's first tick
    EXPECT_EQ(page->dtp->dateTime(), fake.clock.current);
    tmr.start();
    fake.clock.advance(1);
    page->tmrTimer();
    EXPECT_EQ(page->dtp->dateTime(), fake.clock.current);
    EXPECT_FALSE(page->btnApplyTimeChange->isEnabled());

    QApplication::setActiveWindow(page.get());
    page->dtp->setFocus();
    ASSERT_TRUE(page->dtp->hasFocus());
    EXPECT_TRUE(page->lblTime->isVisible());
    EXPECT_EQ(page->lblTime->text(), "12:00:36 PM");
    fake.clock.set(QTime(9, 59, 50));
    page->dtp->setTime(QTime(10, 0, 0)); // the user's edit
    EXPECT_TRUE(page->btnApplyTimeChange->isEnabled());
    EXPECT_TRUE(page->btnCancelTimeSet->isEnabled());
    page->tmrTimer();
    EXPECT_EQ(page->lblTime->text(), "9:59:50 AM"); // the picker is left alone
    EXPECT_EQ(page->dtp->time(), QTime(10, 0, 0));

    QTest::mouseClick(page->btnApplyTimeChange, Qt::LeftButton);
    EXPECT_EQ(fake.clock.current, QDateTime(QDate(2026, 3, 2), QTime(10, 0, 0)));
    EXPECT_EQ(page->panelText(1), "Time changed by 00:00:10.000");
    EXPECT_TRUE(page->btnUndo->isEnabled());
    EXPECT_FALSE(page->btnApplyTimeChange->isEnabled());
    EXPECT_TRUE(tmr.isActive()); // running again: the page is on screen

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
    EXPECT_EQ(page->dtp->time(), QTime(10, 0, 0));
    EXPECT_EQ(fake.clockSetter.asked.size(), 1);
}

TEST_F(InternetPageTest, TheDateAndTimeButtonOpensTheDesktopsSettings)
{
    QTest::mouseClick(page->btnTimeDateCPL, Qt::LeftButton);
    EXPECT_EQ(fake.dateTimeSettings.opened, 1);
}
