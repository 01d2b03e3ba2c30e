#include "events/DueRule.h"

#include "core/DateTimeText.h"
#include "core/LocaleFormats.h"

namespace events {

namespace {

int digitOf(QChar c)
{
    return c.category() == QChar::Number_DecimalDigit ? c.digitValue() : -1;
}

std::optional<int> twoDigits(QChar tens, QChar ones)
{
    const int a = digitOf(tens);
    const int b = digitOf(ones);
    if (a < 0 || b < 0)
        return std::nullopt;
    return a * 10 + b;
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
        const auto date = core::parseDateText(row.text(DayDate), locale);
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

bool isDueAt(const EventSchedule& schedule, const QDateTime& now)
{
    if (schedule.kind == skStart || !schedule.readable)
        return false;
    const QDate today = now.date();
    const QTime time = now.time();
    if (schedule.kind == skOneTime && schedule.date != today)
        return false;
    if (schedule.kind == skWeekday && schedule.weekday != today.dayOfWeek() % 7) // Sunday 0
        return false;
    return (schedule.hour < 0 || schedule.hour == time.hour()) && schedule.minute == time.minute() &&
           schedule.second == time.second();
}

} // namespace events
