#include "support/LeakSuppressions.h"

#include <QApplication>
#include <gtest/gtest.h>

// Tests of the layers below the clock window: a plain application, headless.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
