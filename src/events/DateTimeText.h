#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

namespace platform {
class LocaleFormats;
}

namespace events {

// How an event's date is written: the first of D, E, M and Y (either case) in the user's short
// date format chooses day first, year first or month first; none of them gives month first.
enum class DateOrder
{
    DayFirst,
    YearFirst,
    MonthFirst
};
DateOrder DateTextFormat(const QString& shortDateFormat);

// "dd/mm/yyyy", "yyyy/mm/dd" or "mm/dd/yyyy" with the user's date separator in place of "/".
QString formatDateText(const QDate& date, const platform::LocaleFormats& locale);
// Read with the user's date order and separator; nothing when the text is no date.
std::optional<QDate> parseDateText(const QString& text, const platform::LocaleFormats& locale);

// The user's long time format ("3:45:00 PM", "15:45:00").
QString formatTimeText(const QTime& time, const platform::LocaleFormats& locale);
// Hours, minutes and optional seconds with the user's time separator and an optional morning or
// afternoon designator; nothing when the text is no time of day.
std::optional<QTime> parseTimeText(const QString& text, const platform::LocaleFormats& locale);

} // namespace events
