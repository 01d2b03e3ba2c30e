#include "core/LocaleFormats.h"

#include <gtest/gtest.h>

using core::LocaleFormats;

TEST(LocaleFormats, LongTimeFormatLosesOnlyTheZone)
{
    EXPECT_EQ(LocaleFormats::withoutZone("tttt HH'h'mm"), QString("HH'h'mm")); // more in DateTimeText

    const LocaleFormats us(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.formatLongTime(QTime(15, 4, 5)), QString("3:04:05 PM"));
    EXPECT_EQ(us.dateSeparator(), QChar('/'));
    const LocaleFormats de(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(de.formatLongTime(QTime(15, 4, 5)), QString("15:04:05"));
    EXPECT_EQ(de.dateSeparator(), QChar('.'));
    EXPECT_EQ(de.timeSeparator(), QChar(':'));
}

TEST(LocaleFormats, RealsUseTheLocalesSeparatorAndFifteenDigits)
{
    const LocaleFormats us(QLocale(QLocale::English, QLocale::UnitedStates));
    const LocaleFormats de(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(us.formatReal(0.92), QString("0.92"));
    EXPECT_EQ(de.formatReal(0.92), QString("0,92"));
    EXPECT_EQ(us.formatReal(61.0 / 60.0), QString("1.01666666666667"));
    EXPECT_EQ(us.formatReal(1234.5), QString("1234.5"));
    EXPECT_EQ(de.parseReal("0,92"), 0.92);
    EXPECT_FALSE(us.parseReal("abc").has_value());
}

TEST(LocaleFormats, ThePickerShowsADesignatorInFrontOnlyWhereItsTextsAreEvenlyLong)
{
    // Ewe's "ŋdi" and "ɣetrɔ" in front of the hour make Qt's picker read past its text.
    EXPECT_EQ(LocaleFormats(QLocale("ee_GH")).timePickerFormat(), QString("h:mm:ss AP"));
    const LocaleFormats taiwan(QLocale(QLocale::Chinese, QLocale::TraditionalHanScript, QLocale::Taiwan));
    EXPECT_EQ(taiwan.timePickerFormat(), taiwan.longTimeFormat());
    const LocaleFormats us(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.timePickerFormat(), QString("h:mm:ss AP"));
}
