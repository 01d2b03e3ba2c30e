#include "timezones/TfrmTimeZone.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

using namespace timezones;

TEST(TfrmTimeZone, StartUpEndsWithoutReadingTheZoneDatabase)
{
    fakes::FakePlatform fake;
    bool startupComplete = false;
    TfrmTimeZone window(fake.services(), startupComplete);
    EXPECT_TRUE(startupComplete);
    EXPECT_FALSE(window.zonesLoaded());
    EXPECT_EQ(window.RuleYear(), 2026);

    // The local offset needs the machine's own zone only.
    EXPECT_EQ(window.LocalRules().Bias, -60);
    EXPECT_EQ(window.LocalRules().DaylightBias, -60);
    EXPECT_FALSE(window.zonesLoaded());

    window.showWindow();
    EXPECT_TRUE(window.zonesLoaded());
    EXPECT_EQ(window.Zones().local().Display, "(GMT+01:00) Here");
    EXPECT_EQ(&window.LocalRules(), &window.Zones().local());
}
