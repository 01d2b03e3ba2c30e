#include "app/VeskelApplication.h"
#include "support/LeakSuppressions.h"

#include <gtest/gtest.h>

// The clock window's tests run under the program's own application object, headless.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    app::VeskelApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
