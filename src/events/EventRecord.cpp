#include "events/EventRecord.h"

#include "lang/Translate.h"

namespace events {

QStringList scheduleNames()
{
    return {Translate(QStringLiteral("One Time")), Translate(QStringLiteral("Hourly")),
            Translate(QStringLiteral("Daily")), Translate(QStringLiteral("Weekday")),
            Translate(QStringLiteral("Start"))};
}

QStringList actionTypeNames()
{
    return {Translate(QStringLiteral("Message Box")), Translate(QStringLiteral("Run a Program")),
            Translate(QStringLiteral("Play a Media File")), Translate(QStringLiteral("Adjust the Time")),
            Translate(QStringLiteral("Microsoft Agent"))};
}

QStringList weekdayNames()
{
    return {Translate(QStringLiteral("Sunday")),   Translate(QStringLiteral("Monday")),
            Translate(QStringLiteral("Tuesday")),  Translate(QStringLiteral("Wednesday")),
            Translate(QStringLiteral("Thursday")), Translate(QStringLiteral("Friday")),
            Translate(QStringLiteral("Saturday"))};
}

int positionOf(const QStringList& names, const QString& name)
{
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int scheduleKindOf(const EventRecord& row)
{
    return positionOf(scheduleNames(), row.text(ScheduleName));
}

int actionTypeOf(const EventRecord& row)
{
    return positionOf(actionTypeNames(), row.text(TypeName));
}

int weekdayOf(const EventRecord& row)
{
    return positionOf(weekdayNames(), row.text(DayDate));
}

} // namespace events
