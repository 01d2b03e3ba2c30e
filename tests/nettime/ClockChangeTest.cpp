#include "nettime/ClockChange.h"

#include <gtest/gtest.h>

using namespace nettime;

namespace {

constexpr double Second = 1.0 / 86400;

} // namespace

TEST(ClockChange, SizesAreSplitToTheMillisecondWithoutSignOrWholeDays)
{
    EXPECT_EQ(splitChange(-5 * Second), (ChangeParts{0, 0, 5, 0}));
    EXPECT_EQ(splitChange(0.3 * Second), (ChangeParts{0, 0, 0, 300}));
    EXPECT_EQ(splitChange(0.4996 * Second), (ChangeParts{0, 0, 0, 500})); // rounded
    EXPECT_EQ(splitChange(0.9996 * Second), (ChangeParts{0, 0, 1, 0}));
    EXPECT_EQ(splitChange(1.0 + 3723.004 * Second), (ChangeParts{1, 2, 3, 4})); // the day dropped
    EXPECT_TRUE(splitChange(0.999 * Second).underASecond());
    EXPECT_FALSE(splitChange(-1 * Second).underASecond());

    EXPECT_EQ(changeAmountText(-5 * Second), " 00:00:05.000");
    EXPECT_EQ(changeAmountText(0.3 * Second), " 00:00:00.300");
    EXPECT_EQ(totalAmountText(-5 * Second), " -00:00:05");
    EXPECT_EQ(totalAmountText(5 * Second), " +00:00:05");
    EXPECT_EQ(totalAmountText(0), " +00:00:00");
    EXPECT_EQ(totalAmountText(-(10 * 3600 + 2) * Second), " -10:00:02");
    // Local 23:59:58, server 00:00:03: almost a day back.
    const double change = 3 * Second - (86400 - 2) * Second;
    EXPECT_EQ(changeAmountText(change), " 23:59:55.000");
}

TEST(ClockChange, TheServersTimeBecomesLocalTimeAndThePickersRuleKeepsItsDate)
{
    const DayTime noon = core::dayTime(QDate(2026, 3, 2), QTime(12, 0));
    const DayTime day = std::trunc(noon);

    // Ten hours east of UTC: 20:00:00 UTC is 06:00:00 local, on the picker's own date.
    const DayTime east = localFromUtc(QTime(20, 0), -600);
    EXPECT_DOUBLE_EQ(east, 30.0 / 24);
    const DayTime eastPicker = pickerWithTime(noon, east);
    EXPECT_EQ(core::dateOf(eastPicker), QDate(2026, 3, 2));
    EXPECT_EQ(core::timeOf(eastPicker), QTime(6, 0));

    // Five hours west: 01:00:00 UTC gives -4 h, which the picker holds as 20:00:00 the day before.
    const DayTime west = localFromUtc(QTime(1, 0), 300);
    EXPECT_DOUBLE_EQ(west, -4.0 / 24);
    const DayTime westPicker = pickerWithTime(noon, west);
    EXPECT_EQ(core::dateOf(westPicker), QDate(2026, 3, 1));
    EXPECT_EQ(core::timeOf(westPicker), QTime(20, 0));

    // The same time of day leaves the picker as it is.
    EXPECT_EQ(pickerWithTime(noon, 0.5), noon);
    EXPECT_EQ(pickerWithTime(noon, 2.5), noon);
    EXPECT_EQ(pickerWithTime(day + 0.25, 0.75), day + 0.75);
    EXPECT_EQ(localFromUtc(QTime(12, 0), 0), 0.5);
}
