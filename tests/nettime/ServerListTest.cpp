#include "nettime/ServerList.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace nettime;

TEST(ServerList, LinesEndAtCrLfOrCrLfAndANulEndsTheText)
{
    const QStringList two{"beta", "Alpha"};
    EXPECT_EQ(parseServerList("beta\r\nAlpha"), two); // no line end after the last
    EXPECT_EQ(parseServerList("beta\nAlpha\n"), two);
    EXPECT_EQ(parseServerList("beta\rAlpha\r"), two);
    EXPECT_EQ(parseServerList("beta\r\nAlpha\r\n"), two);
    EXPECT_EQ(parseServerList("a\r\n\r\nb\n\nc"), QStringList({"a", "", "b", "", "c"}));
    EXPECT_EQ(parseServerList("a\r\nb"
                              "\0"
                              "c\r\n"),
              QStringList({"a", "b"}));
    EXPECT_EQ(parseServerList(QByteArray("a\r\nb\0c", 6)), QStringList({"a", "b"}));
    EXPECT_EQ(parseServerList(QByteArray("\0a", 2)), QStringList());
    EXPECT_EQ(parseServerList(""), QStringList());
    EXPECT_EQ(parseServerList("\r\n"), QStringList({""}));
    // Each line in its own encoding: one Windows-1252 line spoils no other.
    EXPECT_EQ(parseServerList("Zo\xc3\xab.example\r\nZo\xeb.example\r\n"),
              QStringList({QString::fromUtf8("Zoë.example"), QString::fromUtf8("Zoë.example")}));
}

TEST(ServerList, WrittenWithCrLfAfterEveryLineAndSortedWithoutRegardToCase)
{
    QStringList names = parseServerList("beta\r\nAlpha");
    const ServerOrder order(QLocale(QLocale::English, QLocale::UnitedStates));
    order.sort(names);
    EXPECT_EQ(names, QStringList({"Alpha", "beta"}));
    EXPECT_EQ(serverListBytes(names), QByteArray("Alpha\r\nbeta\r\n"));
    EXPECT_EQ(serverListBytes({}), QByteArray());
    EXPECT_EQ(serverListBytes({""}), QByteArray("\r\n"));
    EXPECT_EQ(parseServerList(serverListBytes({QString::fromUtf8("Zoë"), "x"})),
              QStringList({QString::fromUtf8("Zoë"), "x"}));

    EXPECT_EQ(order.insertPosition(names, "ALPHA2"), 1);
    EXPECT_EQ(order.insertPosition(names, "aaa"), 0);
    EXPECT_EQ(order.insertPosition(names, "Gamma"), 2);
    EXPECT_TRUE(containsServer(names, "BETA"));
    EXPECT_TRUE(containsServer(names, "alpha"));
    EXPECT_FALSE(containsServer(names, "alpha "));
    EXPECT_FALSE(containsServer(names, "alph"));
}

TEST(ServerList, TheFileIsReadOnlyWhenItIsAPlainFileOfSensibleSize)
{
    QTemporaryDir dir;
    using Failure = ServerFileRead::Failure;

    const ServerFileRead missing = readServerFile(dir.filePath("NTPServers.dta"));
    EXPECT_TRUE(missing.names.isEmpty());
    EXPECT_FALSE(missing.failure.has_value());

    ASSERT_TRUE(fakes::writeAllOf(dir.filePath("NTPServers.dta"), "time.example\nother.example"));
    EXPECT_EQ(readServerFile(dir.filePath("NTPServers.dta")).names,
              QStringList({"time.example", "other.example"}));

    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.dta"));
    EXPECT_EQ(readServerFile(dir.filePath("folder.dta")).failure, Failure::CannotOpen);

    // A named pipe would block the program on opening it.
    const QByteArray fifo = dir.filePath("pipe.dta").toLocal8Bit();
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    EXPECT_EQ(readServerFile(QString::fromLocal8Bit(fifo)).failure, Failure::CannotOpen);

    QFile huge(dir.filePath("huge.dta"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(MaxServerFileSize + 1));
    huge.close();
    const ServerFileRead tooLarge = readServerFile(huge.fileName());
    EXPECT_EQ(tooLarge.failure, Failure::TooLarge);
    EXPECT_TRUE(tooLarge.names.isEmpty());
}
