#include "clockface/FaceTimeFormat.h"
#include "clockface/ShownTime.h"
#include "core/LocaleFormats.h"

#include <gtest/gtest.h>

using namespace clockface;

TEST(ShownTime, OffsetsShiftTheLocalTimeAndWrapIntoOneDay)
{
    const QTime local(3, 0, 10, 250);
    EXPECT_EQ(shownTime(local, {-5, 0, 0}, true), QTime(22, 0, 10, 250));
    EXPECT_EQ(shownTime(local, {25, 0, 0}, true), QTime(4, 0, 10, 250));
    EXPECT_EQ(shownTime(local, {0, 0, 0}, true), local); // milliseconds and all
    EXPECT_EQ(shownTime(local, {5, 30, 0}, true), QTime(8, 30, 10, 250));
    EXPECT_EQ(shownTime(local, {0, -181, -11}, true), QTime(23, 58, 59, 250));
    EXPECT_EQ(shownTime(QTime(23, 59, 59), {0, 0, 1}, true), QTime(0, 0, 0));
    // Far-off offsets neither overflow nor take long.
    const qint32 most = std::numeric_limits<qint32>::max();
    const qint32 least = std::numeric_limits<qint32>::min();
    const qint64 far = (qint64(3) * 3600 + 10 + qint64(least) * 3600 + qint64(least) * 60 + least) % 86400;
    const qint64 wrapped = far < 0 ? far + 86400 : far;
    EXPECT_EQ(shownTime(QTime(3, 0, 10), {least, least, least}, true),
              QTime(int(wrapped / 3600), int(wrapped % 3600 / 60), int(wrapped % 60)));
    EXPECT_TRUE(shownTime(QTime(3, 0, 10), {most, most, most}, true).isValid());
    // A face that is not running shows midnight, whatever the offset.
    EXPECT_EQ(shownTime(local, {-5, 0, 0}, false), QTime(0, 0));
}

TEST(FaceTimeFormat, TheFormatsTheZoneClocksUse)
{
    const core::LocaleFormats us(QLocale(QLocale::English, QLocale::UnitedStates));
    const QTime t(15, 4, 5, 7);
    EXPECT_EQ(formatFaceTime("hh:mm:ss", QTime(9, 4, 5), us), "09:04:05");
    EXPECT_EQ(formatFaceTime("h:mm", QTime(9, 4, 5), us), "9:04");
    EXPECT_EQ(formatFaceTime("h:mm ampm", t, us), "3:04 PM");
    EXPECT_EQ(formatFaceTime("h:mm:ss ampm", QTime(0, 4, 5), us), "12:04:05 AM");
    EXPECT_EQ(formatFaceTime("h:mm:ss ampm", QTime(12, 0, 0), us), "12:00:00 PM");
    EXPECT_EQ(formatFaceTime("h:nn am/pm", t, us), "3:04 pm");
    EXPECT_EQ(formatFaceTime("h:nn A/P", QTime(1, 2), us), "1:02 A");
    EXPECT_EQ(formatFaceTime("HH:MM:SS.zzz", t, us), "15:04:05.007");
    EXPECT_EQ(formatFaceTime("'h' h \"mm\"", t, us), "h 15 mm");
    EXPECT_EQ(formatFaceTime("hh 'open", t, us), "15 open");
    EXPECT_EQ(formatFaceTime("", t, us), "");

    // The separator and the designators are the locale's own.
    const core::LocaleFormats finnish(QLocale(QLocale::Finnish, QLocale::Finland));
    EXPECT_EQ(finnish.timeSeparator(), u'.');
    EXPECT_EQ(formatFaceTime("hh:mm:ss", t, finnish), "15.04.05");
}

TEST(FaceTimeFormat, EveryLocaleGivesTheTimeWithItsSeparatorAndDesignators)
{
    const QTime morning(9, 7, 3), evening(21, 7, 3);
    for (const QLocale& locale :
         QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        const core::LocaleFormats formats(locale);
        const QString sep = formats.timeSeparator();
        ASSERT_EQ(formatFaceTime("hh:mm:ss", evening, formats), "21" + sep + "07" + sep + "03")
            << locale.name().toStdString();
        ASSERT_EQ(formatFaceTime("h:mm ampm", morning, formats), "9" + sep + "07 " + locale.amText())
            << locale.name().toStdString();
        ASSERT_EQ(formatFaceTime("h:mm ampm", evening, formats), "9" + sep + "07 " + locale.pmText())
            << locale.name().toStdString();
    }
}
