#include "timezones/ZoneDetails.h"

#include "core/LocaleFormats.h"
#include "lang/Translate.h"
#include "timezones/ZoneRows.h"

#include <algorithm>

namespace timezones {

ZoneDetails describeZone(const TRegTZI& record, const TRegTZI& local, DayTime now, int ruleYear,
                         const core::LocaleFormats& locale)
{
    ZoneDetails d;
    d.DaylightDesc = DescribeRule(record.DaylightDate, locale);
    d.StandardDesc = DescribeRule(record.StandardDate, locale);
    const DayTime there = ZoneTimeFromUtc(record, UtcNow(local, now, ruleYear), ruleYear);
    d.TimeThere = locale.formatLongDate(core::dateOf(there));
    d.DaylightNow = IsDaylightTime(record, there, ruleYear);
    const DayTime toDaylight = TransitionDate(record.DaylightDate, ruleYear);
    if (toDaylight > 0.0)
        // The hour word stays singular: "(1 hour)", "(0.5 hour)".
        d.DaylightDT = transitionText(toDaylight, locale) + QStringLiteral(" (") +
                       locale.formatReal(-record.DaylightBias / 60.0) + u' ' +
                       Translate(QStringLiteral("hour")) + u')';
    d.DaylightName = record.Dlt;
    const DayTime toStandard = TransitionDate(record.StandardDate, ruleYear);
    if (toStandard > 0.0)
        d.StandardDT = transitionText(toStandard, locale);
    d.StandardName = record.Std;
    d.Offset = ZoneOffset(record, local, now, ruleYear);

    QString tail = QStringLiteral("\r\n") + Translate(QStringLiteral("Local time")) + u' ';
    if (d.Offset.hours != 0 || d.Offset.minutes != 0) {
        const int total = 60 * d.Offset.hours + d.Offset.minutes;
        if (total > 0)
            tail += u'+';
        tail += locale.formatReal(total / 60.0) + u' ' + Translate(QStringLiteral("Hour(s)"));
    }
    d.TZBias = BiasText(record.Bias, locale) + tail;
    return d;
}

std::optional<QString> biasFirstLine(const QString& tzBias)
{
    const qsizetype at = tzBias.indexOf(Translate(QStringLiteral("Local time")));
    if (at < 0)
        return std::nullopt;
    return tzBias.left(std::max<qsizetype>(at - 2, 0));
}

} // namespace timezones
