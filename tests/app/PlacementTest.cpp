#include "app/DragTracker.h"
#include "app/ScreenPositions.h"

#include <gtest/gtest.h>

TEST(ScreenPositions, NinePlacesOnTheWholeScreen)
{
    const QSize screen(1024, 768);
    const QSize clock(150, 150);
    const QPoint expected[9] = {{0, 0},     {437, 0}, {874, 0},   {0, 309},  {437, 309},
                                {874, 309}, {0, 618}, {437, 618}, {874, 618}};
    for (int tag = 1; tag <= 9; ++tag)
        EXPECT_EQ(app::screenPosition(tag, screen, clock), expected[tag - 1]) << "tag " << tag;
    EXPECT_FALSE(app::screenPosition(0, screen, clock).has_value());
    EXPECT_FALSE(app::screenPosition(10, screen, clock).has_value());
    // A clock larger than the screen goes past its left and top edges, like the formulas say.
    EXPECT_EQ(app::screenPosition(5, QSize(100, 100), QSize(151, 151)), QPoint(-25, -25));
}

TEST(DragTracker, SmallStepsAreDroppedNotGathered)
{
    app::DragTracker drag;
    drag.press(true, {100, 100});
    for (int i = 1; i <= 10; ++i)
        EXPECT_FALSE(drag.move({100 + i, 100 + i}).has_value()) << "step " << i;
    EXPECT_EQ(drag.move({112, 110}), QPoint(2, 0));
    EXPECT_EQ(drag.move({112, 108}), QPoint(0, -2));
    drag.release();
    EXPECT_FALSE(drag.move({200, 200}).has_value());

    drag.press(false, {0, 0}); // only the left button drags
    EXPECT_FALSE(drag.move({50, 50}).has_value());
}
