#include "nettime/ServerList.h"

#include <gtest/gtest.h>

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
