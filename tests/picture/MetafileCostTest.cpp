#include "picture/MetafileCost.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>

using picture::MetafileCost;

TEST(MetafileCost, EachCountIsHeldToItsBoundAndEverythingIsRefusedOncePast)
{
    struct Case
    {
        const char* why;
        qint64 bound;
        std::function<bool(MetafileCost&)> one;
    };
    const Case cases[] = {
        {"too many records", MetafileCost::MaxRecords, [](MetafileCost& c) { return c.countRecord(); }},
        {"too many points", MetafileCost::MaxPoints, [](MetafileCost& c) { return c.countPoints(1); }},
        {"too much text", MetafileCost::MaxLetters, [](MetafileCost& c) { return c.countLetters(1); }},
        {"saves too many states", MetafileCost::MaxSavedStates,
         [](MetafileCost& c) { return c.saveState(); }},
        {"bitmaps are too large", MetafileCost::MaxBitmapPixels / 1024,
         [](MetafileCost& c) { return c.countBitmap(1024); }},
    };
    for (const Case& k : cases) {
        MetafileCost cost;
        for (qint64 i = 0; i < k.bound; ++i)
            ASSERT_TRUE(k.one(cost)) << k.why << " at " << i;
        EXPECT_FALSE(k.one(cost)) << k.why;
        EXPECT_NE(std::string(cost.exceeded()).find(k.why), std::string::npos);
        EXPECT_FALSE(cost.countRecord()) << k.why;
    }
    MetafileCost hostile; // a bitmap header of negative size wins no pixels back
    EXPECT_FALSE(hostile.countBitmap(-1));
}

TEST(MetafileCost, RestoredStatesMakeRoomAndNeverGoBelowNone)
{
    MetafileCost cost;
    for (int i = 0; i < MetafileCost::MaxSavedStates; ++i)
        cost.saveState();
    cost.restoreState(-1); // back one
    EXPECT_TRUE(cost.saveState());
    cost.restoreState(1); // back to the first
    cost.restoreState(-100);
    for (int i = 0; i < MetafileCost::MaxSavedStates; ++i)
        ASSERT_TRUE(cost.saveState());
    EXPECT_FALSE(cost.saveState());
}

TEST(MetafileCost, DrawingIsPricedOnALargeClockWhateverThePictureUnits)
{
    const auto priced = [](double units) {
        MetafileCost cost;
        cost.setPictureSize({units, units / 2});
        cost.chargeFill(units * units / 2);
        cost.chargeText(units * units / 100, 10);
        cost.chargeStroke(units, units / 100, 5);
        return cost.drawingMicros();
    };
    EXPECT_DOUBLE_EQ(priced(100), priced(100000));
    // Filling the whole picture over and over reaches the bound after some hundreds of times.
    MetafileCost cost;
    cost.setPictureSize({10, 10});
    int fills = 0;
    while (cost.chargeFill(100) && fills < 100000)
        ++fills;
    EXPECT_GT(fills, 100);
    EXPECT_LT(fills, 1000);
    EXPECT_NE(std::string(cost.exceeded()).find("drawing"), std::string::npos);
}
