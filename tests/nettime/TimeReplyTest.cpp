#include "nettime/TimeReply.h"
#include "support/TimeServers.h"

#include <gtest/gtest.h>

using namespace nettime;
using timeservers::kSample;

TEST(TimeReply, FourBytesMakeTheTimeAndNothingElseCounts)
{
    EXPECT_EQ(replySeconds(kSample), 3913101296u);
    EXPECT_EQ(replyTimeOfDay(*replySeconds(kSample)), QTime(12, 34, 56));
    EXPECT_EQ(replyTimeInt(*replySeconds(kSample)), -381866000);
    EXPECT_EQ(replySeconds(QByteArray::fromHex("00000000")), 0u);
    EXPECT_EQ(replyTimeOfDay(0xFFFFFFFFu), QTime(6, 28, 15));
    // Fewer than four bytes are no time; bytes after the fourth are not looked at.
    EXPECT_EQ(replySeconds({}), std::nullopt);
    EXPECT_EQ(replySeconds(QByteArray::fromHex("E93D2F")), std::nullopt);
    EXPECT_EQ(replySeconds(kSample + QByteArray(5000, char(0xFF))), 3913101296u);
}
