#include "nettime/WinsockErrors.h"

#include <gtest/gtest.h>

using namespace nettime;

TEST(WinsockErrors, CodesTextsAndTheSixteenBitLookup)
{
    EXPECT_EQ(winsockErrorText(10061), "10061:Connection refused");
    EXPECT_EQ(winsockErrorText(11001), "11001:Host not found");
    EXPECT_EQ(winsockErrorText(10061 + 65536), "75597:Connection refused");
    EXPECT_EQ(winsockErrorText(0), "");
    EXPECT_EQ(winsockErrorText(12345), "Unknown Error No. 12345");
    EXPECT_EQ(winsockCodeFor(QAbstractSocket::ConnectionRefusedError), 10061);
    EXPECT_EQ(winsockCodeFor(QAbstractSocket::HostNotFoundError), 11001);
    EXPECT_EQ(winsockCodeFor(QAbstractSocket::SocketTimeoutError), 10060);
}
