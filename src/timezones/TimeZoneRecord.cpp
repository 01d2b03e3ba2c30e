#include "timezones/TimeZoneRecord.h"

#include "core/LocaleFormats.h"
#include "lang/Translate.h"

#include <cmath>

namespace timezones {

namespace {

bool inDomain(const SystemTime& r)
{
    return r.wMonth >= 1 && r.wMonth <= 12 && r.wDayOfWeek <= 6 && r.wDay >= 1 && r.wDay <= 5 &&
           r.wHour <= 23 && r.wMinute <= 59 && r.wSecond <= 59 && r.wMilliseconds <= 999;
}

// To the millisecond: day fractions built from minutes carry rounding noise, and a change
// compared with the instant it happens at must come out the same every time.
qint64 ms(DayTime value)
{
    return std::llround(value * 86400000.0);
}

// Daylight time between the start d and the end s, both in the same clock as t.
bool daylightBetween(DayTime start, DayTime end, DayTime at)
{
    if (start == 0.0)
        return false;
    const qint64 d = ms(start), s = ms(end), t = ms(at);
    if (s > d)
        return d <= t && t < s; // daylight time inside the calendar year
    return t < s || t >= d;     // daylight time across the turn of the year
}

// Whether the zone keeps daylight time at a UTC instant. The test is made on the zone's standard
// wall-clock time, against the change back to standard time given in standard time as well, so
// the hour after that change (which the wall clock shows twice) is not taken for daylight time.
bool daylightAtUtc(const TRegTZI& zone, DayTime utc, int ruleYear)
{
    const DayTime standard = utc - zone.Bias / core::MinutesPerDay;
    const DayTime start = TransitionDate(zone.DaylightDate, ruleYear);
    DayTime end = TransitionDate(zone.StandardDate, ruleYear);
    if (end != 0.0)
        end += zone.DaylightBias / core::MinutesPerDay; // from daylight into standard wall-clock time
    return daylightBetween(start, end, standard);
}

} // namespace

DayTime TransitionDate(const SystemTime& rule, int ruleYear)
{
    if (!inDomain(rule) || ruleYear < 1 || ruleYear > 9999)
        return 0.0;
    const QTime at(rule.wHour, rule.wMinute, rule.wSecond, rule.wMilliseconds);
    const QDate first(ruleYear, rule.wMonth, 1);
    DayTime found = 0.0;
    int count = 0;
    for (int day = 1; day <= first.daysInMonth(); ++day) {
        const QDate date(ruleYear, rule.wMonth, day);
        if (date.dayOfWeek() % 7 == rule.wDayOfWeek) { // Sunday = 0
            found = core::dayTime(date, at);
            if (++count == rule.wDay)
                break;
        }
    }
    return found; // occurrence 5, or more than the month has, is the last one
}

bool IsDaylightTime(const TRegTZI& zone, DayTime wallClock, int ruleYear)
{
    return daylightBetween(TransitionDate(zone.DaylightDate, ruleYear),
                           TransitionDate(zone.StandardDate, ruleYear), wallClock);
}

DayTime UtcNow(const TRegTZI& local, DayTime now, int ruleYear)
{
    DayTime utc = now + local.Bias / core::MinutesPerDay;
    if (IsDaylightTime(local, now, ruleYear))
        utc += local.DaylightBias / core::MinutesPerDay;
    return utc;
}

DayTime ZoneTimeFromUtc(const TRegTZI& zone, DayTime utc, int ruleYear)
{
    DayTime t = utc - zone.Bias / core::MinutesPerDay;
    if (daylightAtUtc(zone, utc, ruleYear))
        t -= zone.DaylightBias / core::MinutesPerDay;
    return t;
}

HoursMinutes ZoneOffset(const TRegTZI& zone, const TRegTZI& local, DayTime now, int ruleYear)
{
    int m = local.Bias - zone.Bias;
    if (IsDaylightTime(local, now, ruleYear))
        m += local.DaylightBias;
    // The same daylight decision as the zone's time shown beside it.
    if (daylightAtUtc(zone, UtcNow(local, now, ruleYear), ruleYear))
        m -= zone.DaylightBias;
    return {m / 60, m % 60};
}

QString BiasText(qint32 bias, const core::LocaleFormats& locale)
{
    // The whole phrase after the number is what a language file translates.
    if (bias < 0)
        return locale.formatReal(-double(bias) / 60.0) + u' ' +
               (bias < -60 ? Translate(QStringLiteral("hours ahead of GMT"))
                           : Translate(QStringLiteral("hour ahead of GMT")));
    if (bias > 0)
        return locale.formatReal(double(bias) / 60.0) + u' ' +
               (bias > 60 ? Translate(QStringLiteral("hours behind GMT"))
                          : Translate(QStringLiteral("hour behind GMT")));
    return u' ' + Translate(QStringLiteral(" GMT"));
}

QString DescribeRule(const SystemTime& rule, const core::LocaleFormats& locale)
{
    if (rule.wDay + rule.wDayOfWeek + rule.wMonth + rule.wHour == 0 || !inDomain(rule))
        return Translate(QStringLiteral("Not set for this time zone"));
    const QString occurrences[5] = {Translate(QStringLiteral("First")), Translate(QStringLiteral("Second")),
                                    Translate(QStringLiteral("Third")), Translate(QStringLiteral("Fourth")),
                                    Translate(QStringLiteral("Last"))};
    const QLocale& l = locale.locale();
    const QString weekday = Translate(
        l.dayName(rule.wDayOfWeek == 0 ? 7 : rule.wDayOfWeek, QLocale::LongFormat));
    const QString month = Translate(l.monthName(rule.wMonth, QLocale::LongFormat));
    return occurrences[rule.wDay - 1] + u' ' + weekday + u' ' + Translate(QStringLiteral("of")) + u' ' +
           month;
}

QStringList SplitDisplayName(const QString& displayName)
{
    QStringList parts;
    const qsizetype open = displayName.indexOf(u'(');
    const qsizetype close = displayName.indexOf(u')');
    // The text strictly between the first "(" and the first ")".
    parts << (open >= 0 && close > open ? displayName.mid(open + 1, close - open - 1) : QString());
    // The rest starts after the first ")" and the one character after it.
    QString rest = displayName.mid(close + 2);
    static const QString separators[] = {QStringLiteral(": "), QStringLiteral(", "), QStringLiteral("; ")};
    while (!rest.isEmpty()) {
        qsizetype at = -1;
        for (const QString& separator : separators)
            if ((at = rest.indexOf(separator)) >= 0)
                break;
        if (at < 0) {
            parts << rest;
            break;
        }
        parts << rest.left(at);
        rest = rest.mid(at + 2);
    }
    return parts;
}

QString BiasPrefix(qint32 bias)
{
    if (bias == 0)
        return QStringLiteral("(GMT) ");
    const qint64 magnitude = bias < 0 ? -qint64(bias) : qint64(bias);
    return QStringLiteral("(GMT%1%2:%3) ")
        .arg(bias < 0 ? QChar(u'+') : QChar(u'-'))
        .arg(magnitude / 60, 2, 10, QLatin1Char('0'))
        .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
}

} // namespace timezones
