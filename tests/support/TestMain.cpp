#include "app/VeskelApplication.h"

#include <gtest/gtest.h>

// Every test program runs with the program's own application object, headless.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    app::VeskelApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
