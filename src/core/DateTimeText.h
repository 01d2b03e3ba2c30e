#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

namespace core {

class LocaleFormats;

// Times of day and dates that are stored as text (an event's date and time, the time server's
// answer) and read back later, perhaps under another locale. What one locale writes, every reader
// here takes back.

// The user's long time format without its zone ("3:45:00 PM", "15:45:00", "kl. 15:45:00",
// "15 h 45 min 00 s", "١٥:٤٥:٠٠").
QString formatTimeText(const QTime& time, const LocaleFormats& locale);

// Hours, minutes and optional seconds in any digits of any script, with any other text between
// and around them ("kl.", "h", "時", a right-to-left mark). A morning or afternoon designator, the
// user's or "AM"/"PM", may stand before or after the numbers; without one the hour counts to 23.
// Nothing when the text holds no such time.
std::optional<QTime> parseTimeText(const QString& text, const LocaleFormats& locale);

// How an event's date is written: the first of D, E, M and Y (either case) in the user's short
// date format chooses day first, year first or month first; none of them gives month first.
enum class DateOrder
{
    DayFirst,
    YearFirst,
    MonthFirst
};
DateOrder DateTextFormat(const QString& shortDateFormat);

// "dd/mm/yyyy", "yyyy/mm/dd" or "mm/dd/yyyy" in the user's order, with the user's date separator
// in place of "/" and the locale's digits.
QString formatDateText(const QDate& date, const LocaleFormats& locale);

// Three numbers in the user's order, in any digits, separated by the user's date separator (blanks
// and direction marks around it aside). A year of one or two digits is read in the window
// 1950 to 2049. Nothing when the text is no date.
std::optional<QDate> parseDateText(const QString& text, const LocaleFormats& locale);

} // namespace core
