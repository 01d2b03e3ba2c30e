#pragma once

#include "platform/SystemZoneWatch.h"
#include "support/FakePlatform.h"
#include "timezones/TZClockFile.h"
#include "timezones/TZFaceLook.h"
#include "timezones/TfrmTimeZone.h"
#include "timezones/ZoneRules.h"

#include <gtest/gtest.h>
#include <memory>

// The zones of a fake desktop: Berlin's zone, Monday 2 March 2026 at 14:00, tzclkset.dta in its
// program folder, and the time zones window when a test makes it.
class ZonesFixture : public ::testing::Test
{
protected:
    fakes::FakePlatform fake;
    platform::SystemZoneWatch zoneWatch;
    timezones::ZoneRules rules{fake.timeZones, zoneWatch, fake.clock};
    std::unique_ptr<timezones::TZClockFile> tzclkset;
    std::unique_ptr<timezones::TfrmTimeZone> window;

    void TearDown() override { window.reset(); }

    // tzclkset.dta is read as at start, then the window is made.
    timezones::TfrmTimeZone& create()
    {
        tzclkset = std::make_unique<timezones::TZClockFile>(fake.folders.dataFile("tzclkset.dta"),
                                                            timezones::windowFont(), fake.locale);
        window = std::make_unique<timezones::TfrmTimeZone>(fake.services(), rules, *tzclkset);
        return *window;
    }
    // The end of the program: the window goes, tzclkset.dta is written.
    void end()
    {
        window.reset();
        ASSERT_TRUE(tzclkset->save());
    }
};
