#include "core/DateTimeText.h"
#include "core/LocaleFormats.h"

#include <cstdio>
#include <gtest/gtest.h>

using namespace core;

namespace {

const LocaleFormats kUs(QLocale(QLocale::English, QLocale::UnitedStates));
const LocaleFormats kGerman(QLocale(QLocale::German, QLocale::Germany));

QList<QLocale> everyLocale()
{
    return QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
}

// A date written the way the user's order and separator ask, but with a two-digit year.
QString withShortYear(const QDate& date, const LocaleFormats& locale)
{
    const QString sep = u'\'' + QString(locale.dateSeparator()).replace(u'\'', QStringLiteral("''")) + u'\'';
    switch (DateTextFormat(locale.shortDateFormat())) {
    case DateOrder::DayFirst:
        return locale.locale().toString(date, "dd" + sep + "MM" + sep + "yy");
    case DateOrder::YearFirst:
        return locale.locale().toString(date, "yy" + sep + "MM" + sep + "dd");
    case DateOrder::MonthFirst:
        break;
    }
    return locale.locale().toString(date, "MM" + sep + "dd" + sep + "yy");
}

} // namespace

TEST(DateTimeText, EveryLocaleReadsBackTheTimesAndDatesItWrites)
{
    const QList<QTime> times = {QTime(0, 0, 0),    QTime(0, 0, 1),    QTime(0, 59, 59), QTime(1, 2, 3),
                                QTime(9, 5, 7),    QTime(11, 59, 59), QTime(12, 0, 0),  QTime(12, 0, 1),
                                QTime(12, 30, 45), QTime(13, 0, 0),   QTime(14, 0, 0),  QTime(15, 45, 9),
                                QTime(18, 7, 30),  QTime(21, 10, 10), QTime(23, 59, 59)};
    const QList<QDate> dates = {QDate(2026, 3, 5),  QDate(2026, 12, 31), QDate(2024, 2, 29),
                                QDate(2000, 1, 1),  QDate(1999, 12, 31), QDate(1950, 1, 1),
                                QDate(2049, 6, 15), QDate(26, 3, 5),     QDate(9999, 12, 31)};
    // Two-digit years fall in 1950 to 2049.
    const QList<QDate> shortYears = {QDate(2026, 3, 5), QDate(2000, 1, 1), QDate(2049, 12, 31),
                                     QDate(1950, 1, 1), QDate(1999, 7, 4)};
    // What the common formats write is read under any locale.
    const std::pair<const char*, QTime> common[] = {
        {"2:00:00 PM", QTime(14, 0, 0)}, {"14:00:00", QTime(14, 0, 0)},  {"14.00.00", QTime(14, 0, 0)},
        {"12:00:00 AM", QTime(0, 0, 0)}, {"12:30:00 pm", QTime(12, 30)}, {"9:05 AM", QTime(9, 5)},
        {"23:59:59", QTime(23, 59, 59)}, {"0:00:00", QTime(0, 0, 0)}};

    const auto failures = [] {
        return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
    };
    int locales = 0;
    for (const QLocale& l : everyLocale()) {
        const int failuresBefore = failures();
        const LocaleFormats locale(l);
        SCOPED_TRACE(l.name().toStdString() + " " + locale.longTimeFormat().toStdString());
        for (const QTime& t : times) {
            const QString text = formatTimeText(t, locale);
            EXPECT_EQ(parseTimeText(text, locale), t) << text.toStdString();
            // Nothing is left of the zone: no "()" or "[]" and no blank at either end.
            EXPECT_FALSE(text.contains(u'(') || text.contains(u')') || text.contains(u'[') ||
                         text.contains(u']'))
                << text.toStdString();
            EXPECT_EQ(text, text.trimmed()) << text.toStdString();
        }
        for (const auto& [text, t] : common)
            EXPECT_EQ(parseTimeText(QString::fromUtf8(text), locale), t) << text;
        for (const QDate& d : dates) {
            const QString text = formatDateText(d, locale);
            EXPECT_EQ(parseDateText(text, locale), d) << text.toStdString();
        }
        for (const QDate& d : shortYears) {
            const QString text = withShortYear(d, locale);
            EXPECT_EQ(parseDateText(text, locale), d) << text.toStdString();
        }
        if (failures() == failuresBefore)
            ++locales;
    }
    EXPECT_EQ(locales, everyLocale().size());
    std::printf("locales round-tripped: %d of %lld\n", locales, static_cast<long long>(everyLocale().size()));
}

TEST(DateTimeText, WhatTheLocalesWriteAroundTheNumbers)
{
    const auto written = [](QLocale::Language language, QLocale::Territory territory) {
        return formatTimeText(QTime(14, 0, 0), LocaleFormats(QLocale(language, territory)));
    };
    EXPECT_EQ(written(QLocale::Spanish, QLocale::Spain), "14:00:00");
    EXPECT_EQ(written(QLocale::Catalan, QLocale::Spain), "14:00:00");
    EXPECT_EQ(written(QLocale::NorwegianNynorsk, QLocale::Norway), "kl. 14:00:00");
    EXPECT_EQ(written(QLocale::French, QLocale::Canada), "14 h 00 min 00 s");
    EXPECT_EQ(written(QLocale::Japanese, QLocale::Japan), "14時00分00秒");
    EXPECT_EQ(written(QLocale::Chinese, QLocale::Taiwan), "14:00:00");
    EXPECT_EQ(written(QLocale::Albanian, QLocale::Albania), "2:00:00 E PASDITES");
    EXPECT_EQ(written(QLocale::Arabic, QLocale::Egypt), "٢:٠٠:٠٠ م");

    EXPECT_EQ(LocaleFormats::withoutZone("h:mm:ss AP t"), "h:mm:ss AP");
    EXPECT_EQ(LocaleFormats::withoutZone("H:mm:ss (t)"), "H:mm:ss");
    EXPECT_EQ(LocaleFormats::withoutZone("APh:mm:ss [t]"), "APh:mm:ss");
    EXPECT_EQ(LocaleFormats::withoutZone("t HH:mm:ss"), "HH:mm:ss");
    EXPECT_EQ(LocaleFormats::withoutZone("h:mm:ss AP, t"), "h:mm:ss AP");
    EXPECT_EQ(LocaleFormats::withoutZone("(HH:mm:ss) t"), "(HH:mm:ss)"); // a bracket of its own stays
    EXPECT_EQ(LocaleFormats::withoutZone("HH:mm (t) ss"), "HH:mm ss");
    EXPECT_EQ(LocaleFormats::withoutZone("HH 'at' mm"), "HH 'at' mm");
    EXPECT_EQ(LocaleFormats::withoutZone("HH 'it''s (t)' mm t"), "HH 'it''s (t)' mm");
}

TEST(DateTimeText, TheShortDateFormatChoosesTheOrder)
{
    EXPECT_EQ(DateTextFormat("dd.MM.yy"), DateOrder::DayFirst);
    EXPECT_EQ(DateTextFormat("yyyy-MM-dd"), DateOrder::YearFirst);
    EXPECT_EQ(DateTextFormat("M/d/yy"), DateOrder::MonthFirst);
    EXPECT_EQ(DateTextFormat("ee"), DateOrder::YearFirst);            // the first of D, E, M, Y decides
    EXPECT_EQ(DateTextFormat("'Day' M/d/yy"), DateOrder::MonthFirst); // quoted text is no field
    EXPECT_EQ(DateTextFormat(""), DateOrder::MonthFirst);

    const LocaleFormats swedish(QLocale(QLocale::Swedish, QLocale::Sweden));
    const LocaleFormats egyptian(QLocale(QLocale::Arabic, QLocale::Egypt));
    const QDate fifthOfMarch(2026, 3, 5);
    EXPECT_EQ(formatDateText(fifthOfMarch, kGerman), "05.03.2026");
    EXPECT_EQ(formatDateText(fifthOfMarch, swedish), "2026-03-05");
    EXPECT_EQ(formatDateText(fifthOfMarch, kUs), "03/05/2026");
    EXPECT_EQ(formatDateText(fifthOfMarch, egyptian), "٠٥/٠٣/٢٠٢٦"); // not the direction mark
    EXPECT_EQ(parseDateText("5.3.26", kGerman), fifthOfMarch);
    EXPECT_EQ(parseDateText(" 05 . 03 . 2026 ", kGerman), fifthOfMarch);
    EXPECT_EQ(parseDateText("05/03/2026", egyptian), fifthOfMarch);
    EXPECT_FALSE(parseDateText("31.02.2026", kGerman));
    EXPECT_FALSE(parseDateText("05/03/2026", kGerman)); // not the user's separator
    EXPECT_FALSE(parseDateText("05.03.2026 x", kGerman));
    EXPECT_FALSE(parseDateText("005.03.2026", kGerman));
    EXPECT_FALSE(parseDateText("", kUs));
    EXPECT_FALSE(parseDateText("1/2/3/4", kUs));
}

TEST(DateTimeText, TimesWithOrWithoutSecondsAndDesignators)
{
    EXPECT_EQ(formatTimeText(QTime(15, 45, 0), kUs), "3:45:00 PM");
    EXPECT_EQ(formatTimeText(QTime(15, 45, 0), kGerman), "15:45:00");
    EXPECT_EQ(parseTimeText("3:45:00 PM", kUs), QTime(15, 45, 0));
    EXPECT_EQ(parseTimeText("PM 3:45", kUs), QTime(15, 45, 0));
    EXPECT_EQ(parseTimeText("12:00:00 AM", kUs), QTime(0, 0, 0));
    EXPECT_EQ(parseTimeText("12:30 pm", kUs), QTime(12, 30, 0));
    EXPECT_EQ(parseTimeText("08:30:15", kUs), QTime(8, 30, 15)); // no designator: a 24-hour time
    EXPECT_EQ(parseTimeText("15:45", kGerman), QTime(15, 45, 0));
    EXPECT_EQ(parseTimeText("오후 2시 0분 5초", LocaleFormats(QLocale(QLocale::Korean, QLocale::SouthKorea))),
              QTime(14, 0, 5));
    EXPECT_EQ(parseTimeText("下午2:00:05", LocaleFormats(QLocale(QLocale::Chinese, QLocale::Taiwan))),
              QTime(14, 0, 5));
    EXPECT_EQ(parseTimeText("2:00:05 PMX", kUs), QTime(2, 0, 5)); // part of a word is no designator
    EXPECT_FALSE(parseTimeText("24:00:00", kGerman));
    EXPECT_FALSE(parseTimeText("13:00 PM", kUs));
    EXPECT_FALSE(parseTimeText("10:60:00", kGerman));
    EXPECT_FALSE(parseTimeText("100:00:00", kGerman));
    EXPECT_FALSE(parseTimeText("1:2:3:4", kGerman));
    EXPECT_FALSE(parseTimeText("ten o'clock", kGerman));
    EXPECT_FALSE(parseTimeText("10", kGerman));
    EXPECT_FALSE(parseTimeText("", kGerman));
}
