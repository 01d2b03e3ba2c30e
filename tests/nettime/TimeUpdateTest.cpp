#include "nettime/TimeUpdate.h"
#include "nettime/TimeClient.h"
#include "platform/SystemClockSetter.h"
#include "support/FakePlatform.h"
#include "support/Files.h"
#include "support/TimeServers.h"
#include "support/TimedatedStandIn.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimeZone>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

using namespace timeservers;
using nettime::TimeUpdate;
using Result = platform::ClockSetter::Result;
using Mode = LoopbackServer::Mode;

namespace {

QDateTime utc(int y, int m, int d, int h, int min, int s, int ms = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min, s, ms), Qt::UTC);
}

class TimeUpdateTest : public ::testing::Test
{
protected:
    fakes::FakePlatform fake;
    ScriptedLookup lookup;
    QString timeServer;
    qint32 timeOut = 2000;
    std::unique_ptr<TimeUpdate> update;
    QStringList panel1; // every text of panel 1, in order
    const QTimeZone berlin{"Europe/Berlin"};

    void SetUp() override
    {
        fake.clock.current = utc(2026, 3, 2, 12, 0, 5, 500);
        make();
    }
    void make()
    {
        update = std::make_unique<TimeUpdate>(fake.services(), lookup, timeServer, timeOut);
        QObject::connect(update.get(), &TimeUpdate::statusChanged, [this](int panel, const QString& text) {
            if (panel == 1)
                panel1 << text;
        });
    }
    QString serverFile() const { return fake.folders.dataFile("NTPServers.dta"); }
    void ask(const QString& host, quint16 port)
    {
        update->setHost(host);
        update->Port = port;
        update->UpdateTime();
    }
    // An update from a server on loopback that answers with the time `serverTime`.
    void updateAt(const QDateTime& serverTime, const QString& host = "127.0.0.1")
    {
        LoopbackServer server(Mode::SendAndClose, replyAt(serverTime));
        ask(host, server.port());
    }
    std::string last() const { return panel1.isEmpty() ? "" : panel1.last().toStdString(); }
};

} // namespace

TEST_F(TimeUpdateTest, AnUpdateReportsEachStepSetsTheClockAndOffersTheNewServer)
{
    ASSERT_TRUE(fakes::writeAllOf(serverFile(), "beta\r\nAlpha"));
    fake.messages.answer = platform::MessageBoxes::Answer::No;
    // The server's second began 5.5 s before the clock's reading: its middle is 5 s before.
    updateAt(utc(2026, 3, 2, 12, 0, 0));
    EXPECT_EQ(panel1, QStringList({"Disconnected", "127.0.0.1", "Connected", "Disconnected",
                                   "Time changed by -00:00:05.000"}));
    EXPECT_EQ(update->panelText(0), "Total change -00:00:05");
    EXPECT_EQ(update->LastChange(), -5000);
    EXPECT_TRUE(update->undoAvailable());
    EXPECT_EQ(fake.clockSetter.asked, QList<qint64>({-5000}));
    EXPECT_EQ(timeServer, "127.0.0.1"); // remembered on connecting

    // The new server is offered with the exact texts; No keeps it in the list, not in the file.
    ASSERT_EQ(fake.messages.questions.size(), 1);
    EXPECT_EQ(fake.messages.questions[0], "Save \n\n127.0.0.1\n\n to the NTP Server data file?");
    EXPECT_EQ(update->servers(), QStringList({"127.0.0.1", "Alpha", "beta"}));
    EXPECT_EQ(fakes::readAllOf(serverFile()), "beta\r\nAlpha");
    updateAt(utc(2026, 3, 2, 12, 0, 0));
    EXPECT_EQ(fake.messages.questions.size(), 1); // in the list now: not asked again
}

TEST_F(TimeUpdateTest, YesWritesTheWholeSortedListWithCrLf)
{
    ASSERT_TRUE(fakes::writeAllOf(serverFile(), "beta\nAlpha\n"));
    lookup.behaviour = ScriptedLookup::Behaviour::Loopback;
    updateAt(utc(2026, 3, 2, 12, 0, 0), "Gamma.example");
    EXPECT_TRUE(panel1.contains("Host resolved"));
    EXPECT_EQ(fakes::readAllOf(serverFile()), "Alpha\r\nbeta\r\nGamma.example\r\n");
    ASSERT_EQ(fake.messages.informations.size(), 1);
    EXPECT_EQ(fake.messages.informations[0], "Gamma.example\nwas saved to the data file NTPServers.dta");

    // A name that differs only in letter case is not offered.
    updateAt(utc(2026, 3, 2, 12, 0, 0), "gamma.EXAMPLE");
    EXPECT_EQ(fake.messages.questions.size(), 1);
}

TEST_F(TimeUpdateTest, AFailedFetchSaysWhatHappenedAndChangesNothing)
{
    QElapsedTimer elapsed;
    elapsed.start();
    ask("127.0.0.1", closedPort());
    EXPECT_EQ(last(), "Connection refused");
    EXPECT_LT(elapsed.elapsed(), 1000); // not the time-out's two seconds

    LoopbackServer closes(Mode::CloseAtOnce);
    ask("127.0.0.1", closes.port());
    EXPECT_EQ(last(), "The server closed the connection without sending the time");

    LoopbackServer silent(Mode::Silent);
    update->setTimeOut(300);
    ask("127.0.0.1", silent.port());
    EXPECT_EQ(last(), "Connection Timed out");

    ask("no.such.host.example", 37);
    EXPECT_EQ(last(), "Host not found");
    EXPECT_TRUE(panel1.contains("Invalid Host"));
    EXPECT_EQ(lookup.started, 2); // one more try

    // No server chosen (the default): said in the status every time, and once in a box.
    ask("  ", 37);
    ask("", 37);
    EXPECT_EQ(last(), "No time server chosen");
    EXPECT_EQ(fake.messages.informations.size(), 1);
    EXPECT_TRUE(fake.clockSetter.asked.isEmpty());
    EXPECT_TRUE(fake.messages.questions.isEmpty());
    EXPECT_TRUE(update->servers().isEmpty()); // never added
    EXPECT_EQ(update->TotalChange(), 0);
}

TEST_F(TimeUpdateTest, ChangesAndTotalsAreReportedAsTheyAddAndARightClockIsLeftAlone)
{
    // Within the second the server sent: already right, nothing is set.
    fake.clock.current = utc(2026, 3, 2, 12, 0, 0, 300);
    updateAt(utc(2026, 3, 2, 12, 0, 0));
    EXPECT_EQ(last(), "The clock is already right");
    EXPECT_TRUE(fake.clockSetter.asked.isEmpty());
    EXPECT_FALSE(update->undoAvailable());

    // +5 s, then -5 s: the total is back under a second, the last change is 5 s.
    fake.clock.current = utc(2026, 3, 2, 12, 0, 0, 500);
    updateAt(utc(2026, 3, 2, 12, 0, 5));
    EXPECT_EQ(update->panelText(0), "Total change +00:00:05");
    updateAt(utc(2026, 3, 2, 12, 0, 0));
    EXPECT_EQ(last(), "Time changed by -00:00:05.000");
    EXPECT_EQ(update->panelText(0), "Time Changed by less than a second");
    EXPECT_EQ(fake.clockSetter.asked, QList<qint64>({5000, -5000}));
}

TEST_F(TimeUpdateTest, TheServersDateCountsAtMidnightAndForAClockDaysOff)
{
    fake.clock.current = utc(2026, 3, 2, 23, 59, 59, 900);
    updateAt(utc(2026, 3, 3, 0, 0, 4));
    EXPECT_EQ(fake.clockSetter.asked.last(), 4600);
    EXPECT_EQ(last(), "Time changed by +00:00:04.600");

    fake.clock.current = utc(2026, 3, 2, 12, 0, 0, 500);
    updateAt(utc(2026, 3, 5, 12, 0, 0));
    EXPECT_EQ(fake.clock.current, utc(2026, 3, 5, 12, 0, 0, 500));
    EXPECT_EQ(last(), "Time changed by +72:00:00.000");
}

TEST_F(TimeUpdateTest, AnImpossibleReplyIsRefusedAndTheEraIsTheOneNearTheClock)
{
    LoopbackServer from1900(Mode::SendAndClose, QByteArray::fromHex("01010101"));
    ask("127.0.0.1", from1900.port());
    EXPECT_TRUE(panel1.last().startsWith("The time server's time cannot be right:")) << last();
    EXPECT_TRUE(fake.clockSetter.asked.isEmpty());
    EXPECT_TRUE(fake.messages.questions.isEmpty());

    // Three seconds after the count of seconds since 1900 ran over 32 bits.
    fake.clock.current = utc(2036, 2, 7, 6, 28, 14, 500);
    LoopbackServer afterRollover(Mode::SendAndClose, QByteArray::fromHex("00000001"));
    ask("127.0.0.1", afterRollover.port());
    EXPECT_EQ(fake.clock.current, utc(2036, 2, 7, 6, 28, 17, 500));
}

TEST_F(TimeUpdateTest, TheServerAskedIsTheServerOfferedAndRemembered)
{
    LoopbackServer slow(Mode::SendLater, replyAt(utc(2026, 3, 2, 12, 0, 0)));
    slow.delayMs = 200;
    QTimer::singleShot(50, [&] {
        EXPECT_TRUE(update->busy());
        update->setHost("elsewhere.example"); // typed while the server is asked
        update->UpdateTime();                 // as an adjust-time event would: not started
    });
    fake.messages.answer = platform::MessageBoxes::Answer::No;
    ask("  127.0.0.1 ", slow.port());
    EXPECT_EQ(slow.accepted, 1);
    EXPECT_EQ(fake.clockSetter.asked.size(), 1);
    EXPECT_EQ(timeServer, "127.0.0.1");
    ASSERT_EQ(fake.messages.questions.size(), 1);
    EXPECT_TRUE(fake.messages.questions[0].contains("\n127.0.0.1\n"));
    EXPECT_EQ(update->servers(), QStringList({"127.0.0.1"}));
    EXPECT_FALSE(update->busy());
}

TEST_F(TimeUpdateTest, AServerFileThatWasNotReadIsNeverWrittenOver)
{
    // A list that is there but not read yet (no page was made) is read before it is added to.
    ASSERT_TRUE(fakes::writeAllOf(serverFile(), "b\r\na\r\n"));
    updateAt(utc(2026, 3, 2, 12, 0, 0));
    EXPECT_EQ(fakes::readAllOf(serverFile()), "127.0.0.1\r\na\r\nb\r\n");

    const QByteArray fifo = serverFile().toLocal8Bit();
    for (const bool pipe : {true, false}) {
        QFile::remove(serverFile());
        if (pipe) {
            ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
        } else {
            QFile huge(serverFile());
            ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
            ASSERT_TRUE(huge.resize(256 << 20)); // far beyond any real list, sparse
        }
        fake.messages.errors.clear();
        fake.messages.questions.clear();
        make();
        updateAt(utc(2026, 3, 2, 12, 0, 0));
        lookup.behaviour = ScriptedLookup::Behaviour::Loopback;
        updateAt(utc(2026, 3, 2, 12, 0, 0), "other.example");
        lookup.behaviour = ScriptedLookup::Behaviour::FailAtOnce;
        EXPECT_EQ(fake.messages.errors.size(), 1) << "the reason, once";
        EXPECT_TRUE(fake.messages.questions.isEmpty()) << "no offer to write over it";
        EXPECT_EQ(QFileInfo(serverFile()).size(), pipe ? 0 : 256 << 20);
        struct stat info
        {
        };
        ASSERT_EQ(stat(fifo.constData(), &info), 0);
        EXPECT_EQ(S_ISFIFO(info.st_mode), pipe);
    }
}

TEST_F(TimeUpdateTest, AManualTimeIsTheInstantNearestTheClockAndAMissingOneIsRefused)
{
    const auto pick = [&](const QDateTime& clock, const QTime& picked) {
        fake.clock.current = clock.toTimeZone(berlin);
        fake.clockSetter.asked.clear();
        update->SetTimeFromPicker(picked);
        return fake.clockSetter.asked.value(0, 0);
    };
    // 31 October 2027: 02:00 to 03:00 comes twice, first in summer time, then in winter time.
    EXPECT_EQ(pick(utc(2027, 10, 31, 0, 40, 0), QTime(2, 45)), 300000); // 02:40 summer time
    EXPECT_EQ(pick(utc(2027, 10, 31, 1, 10, 0), QTime(2, 15)), 300000); // 02:10 winter time
    // 28 March 2027: 02:00 to 03:00 does not come at all.
    EXPECT_EQ(pick(utc(2027, 3, 28, 0, 58, 0), QTime(3, 2)), 240000); // 01:58 to 03:02
    EXPECT_EQ(pick(utc(2027, 3, 28, 0, 58, 0), QTime(2, 30)), 0);
    EXPECT_TRUE(fake.clockSetter.asked.isEmpty());
    ASSERT_EQ(fake.messages.warnings.size(), 1);
    EXPECT_TRUE(fake.messages.warnings[0].contains("does not exist"))
        << fake.messages.warnings[0].toStdString();
    // Just before midnight, a time just after it is the next day's.
    EXPECT_EQ(pick(QDateTime(QDate(2026, 3, 2), QTime(23, 59, 58), berlin), QTime(0, 0, 3)), 5000);
    EXPECT_EQ(last(), "Time changed by +00:00:05.000");
}

TEST_F(TimeUpdateTest, BerlinsChangesOf2027AreSetReportedUndoneAndRevertedAsTheSameInstants)
{
    fakes::TimedatedStandIn timedated;
    if (!timedated.ready())
        GTEST_SKIP() << timedated.skipReason.toStdString();
    ASSERT_TRUE(timedated.startService());
    platform::SystemClockSetter system(*timedated.bus, [](qint64) { return false; });
    fake.clockSetter.system = [&](qint64 delta) { return system.changeBy(delta); };

    for (const QDate day : {QDate(2027, 3, 28), QDate(2027, 10, 31)}) {
        const QDateTime truth(day, QTime(1, 2, 0, 500), Qt::UTC); // just after the change
        const QDateTime slow = truth.addSecs(-300).toTimeZone(berlin);
        fake.clock.current = slow;
        updateAt(truth);
        EXPECT_EQ(last(), "Time changed by +00:05:00.000") << day.toString().toStdString();
        EXPECT_EQ(fake.clock.current, truth);
        update->UndoTimeChange(update->LastChange());
        EXPECT_EQ(fake.clock.current, slow);
        updateAt(truth);
        update->RevertTotalChange();
        EXPECT_EQ(fake.clock.current, slow);
        EXPECT_EQ(update->TotalChange(), 0);
    }
    const QList<qint64> each{300000000, -300000000, 300000000, -300000000};
    EXPECT_EQ(timedated.changesAsked(), each + each);
}

TEST_F(TimeUpdateTest, CancelOrExitWhileTimedatedIsStillAnsweringTakesEveryChangeBack)
{
    fakes::TimedatedStandIn timedated;
    if (!timedated.ready())
        GTEST_SKIP() << timedated.skipReason.toStdString();
    ASSERT_TRUE(timedated.startService());
    timedated.setTimeDoes("__import__('time').sleep(0.3)"); // as polkit does, asking for a password
    platform::SystemClockSetter system(*timedated.bus, [](qint64) { return false; });
    fake.clockSetter.system = [&](qint64 delta) { return system.changeBy(delta); };
    const QDateTime start = utc(2026, 3, 2, 12, 0, 0, 500);
    fake.clock.current = start;
    updateAt(start.addSecs(5));

    QTimer::singleShot(100, [&] { update->RevertTotalChange(); }); // the dialog's Cancel
    updateAt(start.addSecs(5 + 60));
    EXPECT_EQ(fake.clock.current, start);
    EXPECT_EQ(timedated.changesAsked(), QList<qint64>({5000000, 60000000, -65000000}));

    QTimer::singleShot(100, [&] { // the dialog open at Exit
        update->RevertTotalChange();
        QCoreApplication::exit(0);
    });
    updateAt(start.addSecs(60));
    EXPECT_EQ(fake.clock.current, start);
    EXPECT_EQ(timedated.changesAsked().mid(3), QList<qint64>({60000000, -60000000}));
    // The application's loop runs once more so that the next test's loops run again.
    QTimer::singleShot(0, [] { QCoreApplication::quit(); });
    QCoreApplication::exec();
}

TEST_F(TimeUpdateTest, ChronyOnLoopbackSetsTheClockToTheMillisecond)
{
    ChronyServer chrony;
    if (!chrony.running())
        GTEST_SKIP() << chrony.skipReason.toStdString();
    const QString server = QString("ntp:127.0.0.1:%1").arg(chrony.port);
    // The fake clock stands still at its reading as the request leaves, three seconds slow.
    const QDateTime asked = QDateTime::currentDateTimeUtc();
    fake.clock.current = asked.addSecs(-3);
    ask(server, 0);
    EXPECT_LE(std::abs(fake.clock.current.msecsTo(asked)), 5) << last();
    EXPECT_EQ(timeServer, server);
}

TEST_F(TimeUpdateTest, HostileNtpRepliesAreRefusedWithinTheTimeOut)
{
    using Hostile = HostileNtpServer::Mode;
    update->setTimeOut(300);
    const std::pair<Hostile, const char*> cases[] = {
        {Hostile::WrongOrigin, "The time server's reply does not answer the request"},
        {Hostile::StratumZero, "The time server's own clock is not synchronised"},
        {Hostile::LeapAlarm, "The time server's own clock is not synchronised"},
        {Hostile::Short, "The time server sent no valid time"},
        {Hostile::Silent, "Connection Timed out"},
    };
    for (const auto& [mode, text] : cases) {
        HostileNtpServer server(mode);
        QElapsedTimer elapsed;
        elapsed.start();
        ask(QString("ntp:127.0.0.1:%1").arg(server.port()), 0);
        EXPECT_EQ(last(), text);
        EXPECT_LT(elapsed.elapsed(), 600);
    }
    EXPECT_TRUE(fake.clockSetter.asked.isEmpty());
    EXPECT_TRUE(fake.messages.questions.isEmpty());
}

TEST_F(TimeUpdateTest, FindTheFastestServerAsksThemAllAtOnceAndChoosesTheQuickestSaneOne)
{
    const QDateTime now = fake.clock.current;
    LoopbackServer slow(Mode::SendLater, replyAt(now));
    slow.delayMs = 400;
    LoopbackServer quick(Mode::SendAndClose, replyAt(now));
    LoopbackServer from1900(Mode::SendAndClose, QByteArray::fromHex("01010101"));
    HostileNtpServer unsynchronised(HostileNtpServer::Mode::LeapAlarm);
    const auto at = [](quint16 port) { return QString("127.0.0.1:%1").arg(port); };
    const QString ntp = "ntp:" + at(unsynchronised.port());
    ASSERT_TRUE(fakes::writeAllOf(serverFile(), (at(slow.port()) + "\n" + at(quick.port()) + "\n" +
                                                 at(from1900.port()) + "\n" + at(closedPort()) + "\n" + ntp)
                                                    .toUtf8()));
    update->setTimeOut(3000);
    QElapsedTimer elapsed;
    elapsed.start();
    update->FindFastestServer();
    EXPECT_LT(elapsed.elapsed(), 1500); // at once, not one after another
    EXPECT_EQ(update->Host(), at(quick.port()));
    EXPECT_EQ(timeServer, at(quick.port()));
    ASSERT_EQ(fake.messages.informations.size(), 1);
    const QString shown = fake.messages.informations[0];
    EXPECT_TRUE(shown.contains(QRegularExpression(at(slow.port()) + ": \\d+ ms\n"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(at(from1900.port()) + ": The time server's time cannot be right:"));
    EXPECT_TRUE(shown.contains(": Connection refused\n"));
    EXPECT_TRUE(shown.contains(ntp + ": The time server's own clock is not synchronised"));
    EXPECT_TRUE(shown.endsWith("Fastest server: " + at(quick.port())));
    EXPECT_TRUE(fake.clockSetter.asked.isEmpty());
}
