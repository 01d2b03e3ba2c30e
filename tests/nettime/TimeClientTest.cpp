#include "nettime/TimeClient.h"
#include "core/DateTimeText.h"
#include "core/LocaleFormats.h"
#include "platform/HostLookup.h"
#include "support/TimeServers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <ctime>

using namespace nettime;

namespace {

const core::LocaleFormats kUs(QLocale(QLocale::English, QLocale::UnitedStates));
using namespace timeservers;

// The kind of a fetch's failure, or nothing when it did not fail with ESockError.
std::optional<ESockError::Kind> kindOf(const std::function<void()>& fetch)
{
    try {
        fetch();
    } catch (const ESockError& e) {
        return e.kind();
    } catch (...) {
    }
    return std::nullopt;
}

std::string failureOf(const std::function<void()>& fetch)
{
    try {
        fetch();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(no failure)";
}

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

class TimeClient : public ::testing::Test
{
protected:
    ScriptedLookup lookup;
    TTimeClient client{lookup, kUs};
    void SetUp() override
    {
        client.Host = "127.0.0.1";
        client.TimeOut = 2000;
    }
};

} // namespace

TEST_F(TimeClient, ADottedAddressNeedsNoLookupAndANameIsLookedUpAndReported)
{
    LoopbackServer server(LoopbackServer::Mode::SendAndClose);
    client.Port = server.port();
    int resolved = 0, connects = 0, disconnects = 0;
    client.OnHostResolved = [&](TAsyncSocket&) { ++resolved; };
    client.OnConnect = [&](TAsyncSocket&) { ++connects; };
    client.OnDisconnect = [&](TAsyncSocket&) { ++disconnects; };
    EXPECT_EQ(client.TimeStr(), "12:34:56 PM");
    EXPECT_EQ(client.TimeInt(), -381866000);
    EXPECT_EQ(lookup.started, 0);
    EXPECT_EQ(resolved, 0);
    EXPECT_EQ(connects, 2);
    EXPECT_GE(disconnects, 2);
    EXPECT_FALSE(client.Connected);

    client.Host = "time.example";
    lookup.behaviour = ScriptedLookup::Behaviour::Loopback;
    EXPECT_EQ(client.TimeInt(), -381866000);
    EXPECT_EQ(lookup.started, 1);
    EXPECT_EQ(resolved, 1);
}

TEST_F(TimeClient, AnUnknownNameGetsOneHandledRetryThenNullRemoteAddress)
{
    client.Host = "no.such.host.example";
    int asked = 0;
    client.OnInvalidHost = [&](bool& handled) {
        ++asked;
        handled = true;
    };
    EXPECT_EQ(failureOf([&] { client.TimeStr(); }), "Null Remote Address");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(lookup.started, 2);

    client.OnInvalidHost = {};
    EXPECT_EQ(failureOf([&] { client.TimeStr(); }), "Null Remote Address");
    EXPECT_EQ(lookup.started, 3);

    client.Host = QString(128, 'a'); // too long: a failed lookup, never copied anywhere
    EXPECT_EQ(failureOf([&] { client.TimeStr(); }), "Null Remote Address");
    EXPECT_EQ(lookup.started, 3);
}

TEST_F(TimeClient, ALookupSlowerThanTheTimeOutFailsWithoutRetry)
{
    client.Host = "slow.example";
    client.TimeOut = 100;
    lookup.behaviour = ScriptedLookup::Behaviour::Never;
    int asked = 0;
    client.OnInvalidHost = [&](bool& handled) {
        ++asked;
        handled = true;
    };
    EXPECT_EQ(failureOf([&] { client.TimeStr(); }), "Host Lookup Timed Out");
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(lookup.started, 1);
    EXPECT_EQ(lookup.aborted, 1);
}

TEST_F(TimeClient, RefusedAndClosingServersFailAtOnceAndASilentOneOnTime)
{
    client.TimeOut = 300;
    QElapsedTimer elapsed;

    client.Port = closedPort();
    elapsed.start();
    EXPECT_EQ(failureOf([&] { client.TimeStr(); }), "10061:Connection refused");
    EXPECT_LT(elapsed.elapsed(), 250);

    LoopbackServer mute(LoopbackServer::Mode::CloseAtOnce);
    client.Port = mute.port();
    EXPECT_EQ(failureOf([&] { client.TimeStr(); }),
              "The server closed the connection without sending the time");

    LoopbackServer silent(LoopbackServer::Mode::Silent);
    client.Port = silent.port();
    elapsed.restart();
    EXPECT_EQ(failureOf([&] { client.TimeStr(); }), "Connection Timed out");
    EXPECT_GE(elapsed.elapsed(), 300); // a time-out never ends early
    EXPECT_LT(elapsed.elapsed(), 1000);
    EXPECT_EQ(silent.accepted, 1);

    // After every failure the client works again.
    LoopbackServer good(LoopbackServer::Mode::SendAndClose);
    client.Port = good.port();
    EXPECT_EQ(client.TimeStr(), "12:34:56 PM");
}

TEST_F(TimeClient, OnlyAWholeFourByteReplyIsATime)
{
    client.TimeOut = 300;
    // One byte, then nothing: the time-out strikes and no time is made of the byte.
    LoopbackServer stalls(LoopbackServer::Mode::SendAndStay, QByteArray::fromHex("01"));
    client.Port = stalls.port();
    EXPECT_EQ(failureOf([&] { client.TimeInt(); }), "Connection Timed out");

    // Two bytes and the server closes.
    LoopbackServer closesShort(LoopbackServer::Mode::SendAndClose, QByteArray::fromHex("0102"));
    client.Port = closesShort.port();
    EXPECT_EQ(failureOf([&] { client.TimeInt(); }), "Incomplete reply from the time server");

    // A flood after the four bytes changes nothing.
    LoopbackServer flood(LoopbackServer::Mode::SendAndStay, kSample + QByteArray(1 << 20, char(0x5A)));
    client.Port = flood.port();
    EXPECT_EQ(client.TimeInt(), -381866000);
    LoopbackServer longReply(LoopbackServer::Mode::SendAndClose, kSample + QByteArray::fromHex("0001"));
    client.Port = longReply.port();
    EXPECT_EQ(client.TimeStr(), "12:34:56 PM");

    // The four bytes in two parts are waited for.
    LoopbackServer halves(LoopbackServer::Mode::SendInHalves);
    client.Port = halves.port();
    EXPECT_EQ(client.TimeInt(), -381866000);

    LoopbackServer closesAfterSending(LoopbackServer::Mode::SendAndClose);
    client.Port = closesAfterSending.port();
    EXPECT_EQ(client.TimeInt(), -381866000);
}

TEST_F(TimeClient, WithoutATimeOutARefusedConnectionStillEnds)
{
    client.TimeOut = 0;
    client.Port = closedPort();
    // Were the wait endless, this would stop the test program rather than hang it.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        ADD_FAILURE() << "a refused connection without a time-out never ended";
        std::_Exit(1);
    });
    watchdog.start(10000);
    EXPECT_EQ(kindOf([&] { client.TimeInt(); }), ESockError::Kind::SocketFailed);
    EXPECT_EQ(failureOf([&] { client.TimeInt(); }), "10061:Connection refused");
    watchdog.stop();

    // A server that answers is waited for as long as it takes.
    LoopbackServer halves(LoopbackServer::Mode::SendInHalves);
    client.Port = halves.port();
    EXPECT_EQ(client.TimeInt(), -381866000);
}

TEST_F(TimeClient, ACancelEndsTheFetchAtEveryStage)
{
    using Kind = ESockError::Kind;
    client.TimeOut = 0; // nothing else would end these waits
    client.Host = "slow.example";
    lookup.behaviour = ScriptedLookup::Behaviour::Never;
    QTimer::singleShot(20, &client, [this] { client.Cancel(); });
    EXPECT_EQ(kindOf([&] { client.TimeStr(); }), Kind::HostLookupCanceled);
    EXPECT_EQ(lookup.aborted, 1);

    LoopbackServer silent(LoopbackServer::Mode::Silent);
    client.Host = "127.0.0.1";
    client.Port = silent.port();
    QTimer::singleShot(20, &client, [this] { client.Cancel(); });
    EXPECT_EQ(kindOf([&] { client.TimeStr(); }), Kind::ConnectionCanceled);
    EXPECT_FALSE(client.Connected);

    // A cancel is for the fetch that runs: the next one starts afresh.
    LoopbackServer good(LoopbackServer::Mode::SendAndClose);
    client.Port = good.port();
    EXPECT_EQ(client.TimeInt(), -381866000);
}

TEST_F(TimeClient, TheProgramsEndCancelsAFetchAtOnce)
{
    LoopbackServer silent(LoopbackServer::Mode::Silent);
    client.Port = silent.port();
    client.TimeOut = 5000;
    QTimer::singleShot(20, [] { QCoreApplication::exit(0); });
    QElapsedTimer elapsed;
    elapsed.start();
    const double cpuBefore = threadCpuMs();
    EXPECT_EQ(kindOf([&] { client.TimeStr(); }), ESockError::Kind::ConnectionCanceled);
    EXPECT_LT(elapsed.elapsed(), 2000);
    EXPECT_LT(threadCpuMs() - cpuBefore, 500.0) << "the ending application must not make the wait spin";
    // The application's loop runs once more so that the next test's loops run again.
    QTimer::singleShot(0, [] { QCoreApplication::quit(); });
    QCoreApplication::exec();
}

TEST_F(TimeClient, TheProgramGoesOnDuringAFetchWithoutSpinning)
{
    LoopbackServer silent(LoopbackServer::Mode::Silent);
    client.Port = silent.port();
    client.TimeOut = 300;
    bool ticked = false;
    QTimer::singleShot(30, [&] { ticked = true; });
    const double cpuBefore = threadCpuMs();
    EXPECT_EQ(failureOf([&] { client.TimeStr(); }), "Connection Timed out");
    const double cpuUsed = threadCpuMs() - cpuBefore;
    EXPECT_TRUE(ticked);
    EXPECT_LT(cpuUsed, 150.0) << "a waiting fetch must not spin";
}

TEST_F(TimeClient, OneFetchAtATimeAndStatusByLevel)
{
    LoopbackServer server(LoopbackServer::Mode::SendAndClose);
    client.Port = server.port();
    std::string nested;
    client.OnConnect = [&](TAsyncSocket&) { nested = failureOf([&] { client.TimeInt(); }); };
    EXPECT_EQ(client.TimeInt(), -381866000);
    EXPECT_EQ(nested, "Already connected");
    client.OnConnect = {};

    QStringList statuses;
    client.OnStatus = [&](TAsyncSocket&, const QString& s) { statuses << s; };
    client.ReportLevel = 4;
    client.TimeInt();
    EXPECT_TRUE(statuses.contains("Request Close Socket"));
    EXPECT_FALSE(statuses.contains("Connecting"));
    statuses.clear();
    client.ReportLevel = 8;
    client.TimeInt();
    for (const char* s : {"Resolve Host", "Connecting", "Timer On", "Timer Off", "ReadToStream", "Read( 0 )",
                          "Disconnecting"})
        EXPECT_TRUE(statuses.contains(s)) << s;

    client.TimeOut = -1;
    EXPECT_THROW(client.TimeInt(), std::out_of_range);
}
