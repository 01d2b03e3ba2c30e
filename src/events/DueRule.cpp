#include "events/DueRule.h"

#include "core/DateTimeText.h"
#include "core/LocaleFormats.h"

#include <limits>
#include <set>
#include <tuple>
#include <vector>

namespace events {

namespace {

int digitOf(char32_t c)
{
    return QChar::category(c) == QChar::Number_DecimalDigit ? QChar::digitValue(c) : -1;
}

std::optional<int> twoDigits(QChar tens, QChar ones)
{
    const int a = digitOf(tens.unicode());
    const int b = digitOf(ones.unicode());
    if (a < 0 || b < 0)
        return std::nullopt;
    return a * 10 + b;
}

constexpr qint64 kDay = 86400;
constexpr qint64 kHour = 3600;

// The separators that locales writing the day first, or the month first, put between the numbers
// of a date this program writes; worked out once, when a date first needs them.
struct SeparatorsByOrder
{
    std::set<QChar> dayFirst, monthFirst;
};

const SeparatorsByOrder& separatorsByOrder()
{
    static const SeparatorsByOrder known = [] {
        SeparatorsByOrder s;
        for (const QLocale& l :
             QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
            const core::LocaleFormats formats(l);
            const core::DateOrder order = core::DateTextFormat(formats.shortDateFormat());
            if (order == core::DateOrder::DayFirst)
                s.dayFirst.insert(formats.dateSeparator());
            else if (order == core::DateOrder::MonthFirst)
                s.monthFirst.insert(formats.dateSeparator());
        }
        return s;
    }();
    return known;
}

// A date this program wrote under some locale: three numbers of 2, 2 and 4 digits or 4, 2 and 2,
// in any script, with one and the same separator between them and nothing else but blanks and
// marks around them.
std::optional<QDate> readForeignDateText(const QString& text)
{
    struct Number
    {
        int value = 0, digits = 0;
    };
    std::vector<Number> numbers;
    QString separators;
    bool inNumber = false;
    // By code point: some scripts' digits lie beyond the first plane.
    for (const char32_t c : text.toUcs4()) {
        if (const int d = digitOf(c); d >= 0) {
            if (!inNumber)
                numbers.emplace_back();
            inNumber = true;
            if (numbers.size() > 3 || ++numbers.back().digits > 4)
                return std::nullopt;
            numbers.back().value = numbers.back().value * 10 + d;
        } else if (!QChar::isSpace(c) && QChar::category(c) != QChar::Other_Format) {
            if (numbers.size() != size_t(separators.size()) + 1 || !inNumber || QChar::requiresSurrogates(c))
                return std::nullopt; // text before the first number, or two signs in a row
            separators += QChar(c);
            inNumber = false;
        }
    }
    if (numbers.size() != 3 || separators.size() != 2 || separators[0] != separators[1])
        return std::nullopt;
    const auto [a, b, c] = std::tuple(numbers[0], numbers[1], numbers[2]);
    if (a.digits == 4 && b.digits == 2 && c.digits == 2) {
        const QDate yearFirst(a.value, b.value, c.value);
        return yearFirst.isValid() ? std::optional(yearFirst) : std::nullopt;
    }
    if (a.digits != 2 || b.digits != 2 || c.digits != 4)
        return std::nullopt;
    const SeparatorsByOrder& used = separatorsByOrder();
    const bool dayFirst = used.dayFirst.count(separators[0]) > 0;
    const bool monthFirst = used.monthFirst.count(separators[0]) > 0;
    const QDate asDayFirst(c.value, b.value, a.value), asMonthFirst(c.value, a.value, b.value);
    if (asDayFirst == asMonthFirst || (dayFirst && !monthFirst) || !asMonthFirst.isValid())
        return asDayFirst.isValid() ? std::optional(asDayFirst) : std::nullopt;
    if ((monthFirst && !dayFirst) || !asDayFirst.isValid())
        return asMonthFirst.isValid() ? std::optional(asMonthFirst) : std::nullopt;
    return std::nullopt; // "/" with both numbers 12 or less: either order could have written it
}

} // namespace

std::optional<QTime> readHourlyTime(const QString& text, const core::LocaleFormats& locale)
{
    if (text.size() < 8)
        return std::nullopt;
    const auto isSeparator = [&locale](QChar c) { return c == u':' || c == locale.timeSeparator(); };
    if (!isSeparator(text[2]) || !isSeparator(text[5]))
        return std::nullopt;
    const auto minute = twoDigits(text[3], text[4]);
    const auto second = twoDigits(text[6], text[7]);
    if (!minute || !second || *minute > 59 || *second > 59)
        return std::nullopt;
    return QTime(0, *minute, *second);
}

EventSchedule readSchedule(const EventRecord& row, const QStringList& scheduleNames,
                           const QStringList& weekdayNames, const core::LocaleFormats& locale)
{
    EventSchedule s;
    s.kind = positionOf(scheduleNames, row.text(ScheduleName));
    if (s.kind == skStart)
        return s;
    if (s.kind == skOneTime) {
        const auto date = readEventDate(row.text(DayDate), locale);
        s.readable = date.has_value();
        s.date = date.value_or(QDate());
    } else if (s.kind == skWeekday) {
        s.weekday = positionOf(weekdayNames, row.text(DayDate));
    }
    const auto time = s.kind == skHourly ? readHourlyTime(row.text(TimeText), locale)
                                         : core::parseTimeText(row.text(TimeText), locale);
    s.readable = s.readable && time.has_value();
    if (time) {
        s.hour = s.kind == skHourly ? -1 : time->hour();
        s.minute = time->minute();
        s.second = time->second();
    }
    return s;
}

std::optional<QDate> readEventDate(const QString& text, const core::LocaleFormats& locale)
{
    if (auto date = core::parseDateText(text, locale))
        return date;
    return readForeignDateText(text);
}

qint64 wallSecondOf(const QDateTime& local)
{
    return local.date().toJulianDay() * kDay + local.time().msecsSinceStartOfDay() / 1000;
}

QDate wallDateOf(qint64 wallSecond)
{
    return QDate::fromJulianDay(wallSecond / kDay);
}

QTime wallTimeOf(qint64 wallSecond)
{
    return QTime::fromMSecsSinceStartOfDay(int(wallSecond % kDay) * 1000);
}

std::optional<qint64> lastDueAtOrBefore(const EventSchedule& s, qint64 at)
{
    if (s.kind == skStart || !s.readable || (s.kind == skWeekday && s.weekday < 0))
        return std::nullopt;
    const qint64 inHour = s.minute * 60 + s.second;
    if (s.hour < 0) { // hourly
        const qint64 due = at / kHour * kHour + inHour;
        return due <= at ? due : due - kHour;
    }
    const qint64 inDay = s.hour * kHour + inHour;
    if (s.kind == skOneTime) {
        const qint64 due = s.date.toJulianDay() * kDay + inDay;
        return due <= at ? std::optional(due) : std::nullopt;
    }
    qint64 due = at / kDay * kDay + inDay;
    if (due > at)
        due -= kDay;
    if (s.kind == skWeekday) {
        const int weekday = int((due / kDay + 1) % 7); // day 0 of the count was a Monday
        due -= (weekday - s.weekday + 7) % 7 * kDay;
    }
    return due;
}

std::optional<qint64> nextDueAfter(const EventSchedule& s, qint64 after)
{
    // Exactly one due second lies in every period: the last one a period on is the next.
    const qint64 period = s.hour < 0 ? kHour : s.kind == skWeekday ? 7 * kDay : kDay;
    if (s.kind == skOneTime) {
        const auto due = lastDueAtOrBefore(s, std::numeric_limits<qint64>::max() / 2);
        return due && *due > after ? due : std::nullopt;
    }
    return lastDueAtOrBefore(s, after + period);
}

bool isDueAt(const EventSchedule& schedule, const QDateTime& now)
{
    const qint64 second = wallSecondOf(now);
    return lastDueAtOrBefore(schedule, second) == second;
}

} // namespace events
