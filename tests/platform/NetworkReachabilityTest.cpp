#include "platform/NetworkReachability.h"

#include <gtest/gtest.h>

TEST(NetworkReachability, OnlyANetworkKnownToBeDownIsNoConnection)
{
    using R = QNetworkInformation::Reachability;
    EXPECT_FALSE(platform::countsAsConnected(R::Disconnected));
    for (const R r : {R::Unknown, R::Local, R::Site, R::Online})
        EXPECT_TRUE(platform::countsAsConnected(r));
}
