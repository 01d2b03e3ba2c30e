#include "core/Rounding.h"

#include <gtest/gtest.h>

TEST(Rounding, ARatioIsRoundedExactlyHalvesToEven)
{
    // 18 x 21 picture, width slider at 429: the height is 500.5, which goes to the even 500.
    EXPECT_EQ(core::roundHalfEven(429 * 21, 18), 500);
    EXPECT_EQ(core::roundHalfEven(427 * 21, 18), 498); // 498.1666
    EXPECT_EQ(core::roundHalfEven(5, 2), 2);
    EXPECT_EQ(core::roundHalfEven(7, 2), 4);
    EXPECT_EQ(core::roundHalfEven(-5, 2), -2);
    EXPECT_EQ(core::roundHalfEven(5, -2), -2);
    EXPECT_EQ(core::roundHalfEven(2, 3), 1);
    EXPECT_EQ(core::roundHalfEven(qint64(1) << 40, 1), 1 << 24);
}
