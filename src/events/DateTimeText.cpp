#include "events/DateTimeText.h"

#include "platform/LocaleFormats.h"

namespace events {

namespace {

// A run of 1 to `maxDigits` ASCII digits, the whole text.
std::optional<int> number(QStringView text, int maxDigits)
{
    text = text.trimmed();
    if (text.isEmpty() || text.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

QString twoDigits(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

} // namespace

DateOrder DateTextFormat(const QString& shortDateFormat)
{
    for (const QChar c : shortDateFormat) {
        switch (c.toUpper().unicode()) {
        case u'D':
            return DateOrder::DayFirst;
        case u'E':
        case u'Y':
            return DateOrder::YearFirst;
        case u'M':
            return DateOrder::MonthFirst;
        default:
            break;
        }
    }
    return DateOrder::MonthFirst;
}

QString formatDateText(const QDate& date, const platform::LocaleFormats& locale)
{
    const QString sep(locale.dateSeparator());
    const QString dd = twoDigits(date.day());
    const QString mm = twoDigits(date.month());
    const QString yyyy = QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
    switch (DateTextFormat(locale.shortDateFormat())) {
    case DateOrder::DayFirst:
        return dd + sep + mm + sep + yyyy;
    case DateOrder::YearFirst:
        return yyyy + sep + mm + sep + dd;
    case DateOrder::MonthFirst:
        break;
    }
    return mm + sep + dd + sep + yyyy;
}

std::optional<QDate> parseDateText(const QString& text, const platform::LocaleFormats& locale)
{
    const QList<QStringView> parts = QStringView(text).split(locale.dateSeparator());
    if (parts.size() != 3)
        return std::nullopt;
    int year = 0, month = 0, day = 0;
    std::optional<int> a, b, c;
    switch (DateTextFormat(locale.shortDateFormat())) {
    case DateOrder::DayFirst:
        a = number(parts[0], 2), b = number(parts[1], 2), c = number(parts[2], 4);
        if (a && b && c)
            day = *a, month = *b, year = *c;
        break;
    case DateOrder::YearFirst:
        a = number(parts[0], 4), b = number(parts[1], 2), c = number(parts[2], 2);
        if (a && b && c)
            year = *a, month = *b, day = *c;
        break;
    case DateOrder::MonthFirst:
        a = number(parts[0], 2), b = number(parts[1], 2), c = number(parts[2], 4);
        if (a && b && c)
            month = *a, day = *b, year = *c;
        break;
    }
    if (!(a && b && c))
        return std::nullopt;
    const qsizetype yearDigits = (DateTextFormat(locale.shortDateFormat()) == DateOrder::YearFirst ? parts[0]
                                                                                                   : parts[2])
                                     .trimmed()
                                     .size();
    if (yearDigits <= 2)
        year += year < 50 ? 2000 : 1900; // a two-digit year is read in this century's window
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString formatTimeText(const QTime& time, const platform::LocaleFormats& locale)
{
    return locale.formatLongTime(time);
}

std::optional<QTime> parseTimeText(const QString& text, const platform::LocaleFormats& locale)
{
    QString rest = text.trimmed();
    // An optional designator before or after the numbers.
    int designator = 0; // 0 none, 1 morning, 2 afternoon
    const QString am = locale.locale().amText();
    const QString pm = locale.locale().pmText();
    const auto takeDesignator = [&](const QString& word, int which) {
        if (word.isEmpty() || designator)
            return;
        if (rest.endsWith(word, Qt::CaseInsensitive)) {
            rest.chop(word.size());
            designator = which;
        } else if (rest.startsWith(word, Qt::CaseInsensitive)) {
            rest.remove(0, word.size());
            designator = which;
        }
        rest = rest.trimmed();
    };
    takeDesignator(am, 1);
    takeDesignator(pm, 2);
    takeDesignator(QStringLiteral("AM"), 1);
    takeDesignator(QStringLiteral("PM"), 2);

    const QList<QStringView> parts = QStringView(rest).split(locale.timeSeparator());
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    const auto h = number(parts[0], 2);
    const auto m = number(parts[1], 2);
    const auto s = parts.size() == 3 ? number(parts[2], 2) : std::optional<int>(0);
    if (!h || !m || !s || *m > 59 || *s > 59)
        return std::nullopt;
    int hour = *h;
    if (designator) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (designator == 2 ? 12 : 0);
    } else if (hour > 23) {
        return std::nullopt;
    }
    return QTime(hour, *m, *s);
}

} // namespace events
