#include "platform/SingleInstance.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SingleInstance, OnlyOneHolderAtATimeAndTheLockDiesWithItsHolder)
{
    QTemporaryDir dir;
    {
        platform::SingleInstance first("Veskel_v2.1", dir.path());
        ASSERT_TRUE(first.acquire());
        platform::SingleInstance second("Veskel_v2.1", dir.path());
        EXPECT_FALSE(second.acquire());
        platform::SingleInstance other("Other", dir.path());
        EXPECT_TRUE(other.acquire());
    }
    platform::SingleInstance later("Veskel_v2.1", dir.path());
    EXPECT_TRUE(later.acquire());
}
