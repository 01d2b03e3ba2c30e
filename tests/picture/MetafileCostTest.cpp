#include "picture/MetafileCost.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>

using picture::MetafileCost;

TEST(MetafileCost, EachCountIsHeldToItsBoundAndStaysRefusedOncePast)
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
        EXPECT_FALSE(cost.countRecord()) << k.why; // everything after is refused too
    }
    // A bitmap of negative size (a hostile header) is not a way to win pixels back.
    MetafileCost cost;
    EXPECT_FALSE(cost.countBitmap(-1));
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
    const auto priced = [](double units, const std::function<void(MetafileCost&, double)>& draw) {
        MetafileCost cost;
        cost.setPictureSize({units, units / 2});
        draw(cost, units);
        return cost.drawingMicros();
    };
    const auto fillAndText = [](MetafileCost& c, double u) {
        c.chargeFill(u * u / 2);
        c.chargeText(u * u / 100, 10);
        c.chargeStroke(u, u / 100, 5);
    };
    EXPECT_DOUBLE_EQ(priced(100, fillAndText), priced(100000, fillAndText));
    // A wide pen's corners cost more than a thin one's; a line costs by its length.
    const auto line = [](double width, double length) {
        return [=](MetafileCost& c, double u) { c.chargeStroke(u * length, u * width, 100); };
    };
    EXPECT_GT(priced(100, line(0.1, 1)), priced(100, line(0.001, 1)));
    EXPECT_GT(priced(100, line(0.001, 10)), priced(100, line(0.001, 1)));

    // Filling the whole picture over and over reaches the bound, and then everything is refused.
    MetafileCost cost;
    cost.setPictureSize({10, 10});
    int fills = 0;
    while (cost.chargeFill(100) && fills < 100000)
        ++fills;
    EXPECT_GT(fills, 100);
    EXPECT_LT(fills, 1000);
    EXPECT_NE(std::string(cost.exceeded()).find("drawing"), std::string::npos);
    EXPECT_FALSE(cost.chargeText(0, 1));
}
