#pragma once

#include "core/LocaleFormats.h"
#include "timezones/TimeZoneRecord.h"

#include <QLocale>

// What the zone tests share: English (United States) texts and Central Europe's record.
namespace zonesamples {

inline const core::LocaleFormats kUs(QLocale(QLocale::English, QLocale::UnitedStates));

// Central Europe: daylight from the last Sunday of March 02:00, standard from the last Sunday of
// October 03:00 (daylight clock).
inline timezones::TRegTZI berlin()
{
    timezones::TRegTZI z;
    z.Std = "Central European Standard Time";
    z.Dlt = "Central European Summer Time";
    z.Display = "(GMT+01:00) Berlin, Paris";
    z.Bias = -60;
    z.DaylightBias = -60;
    z.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
    z.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
    return z;
}

} // namespace zonesamples
