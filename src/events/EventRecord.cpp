#include "events/EventRecord.h"

#include "lang/Translate.h"

namespace events {

namespace {

// The names as the program itself writes them, before any language file is applied.
const QStringList& englishSchedules()
{
    static const QStringList names = {QStringLiteral("One Time"), QStringLiteral("Hourly"),
                                      QStringLiteral("Daily"), QStringLiteral("Weekday"),
                                      QStringLiteral("Start")};
    return names;
}

const QStringList& englishActionTypes()
{
    static const QStringList names = {QStringLiteral("Message Box"), QStringLiteral("Run a Program"),
                                      QStringLiteral("Play a Media File"), QStringLiteral("Adjust the Time"),
                                      QStringLiteral("Announcement by a Character")};
    return names;
}

// The name announcements had before they were named for this desktop, in English and in the
// user's language: rows saved then still name their type so.
int formerActionType(const QString& name)
{
    const QString agent = QStringLiteral("Microsoft Agent");
    return name.compare(agent, Qt::CaseInsensitive) == 0 ||
                   name.compare(Translate(agent), Qt::CaseInsensitive) == 0
               ? int(atAgent)
               : -1;
}

const QStringList& englishWeekdays()
{
    static const QStringList names = {QStringLiteral("Sunday"),   QStringLiteral("Monday"),
                                      QStringLiteral("Tuesday"),  QStringLiteral("Wednesday"),
                                      QStringLiteral("Thursday"), QStringLiteral("Friday"),
                                      QStringLiteral("Saturday")};
    return names;
}

QStringList translated(const QStringList& names)
{
    QStringList out;
    out.reserve(names.size());
    for (const QString& name : names)
        out << Translate(name);
    return out;
}

int exactPositionOf(const QStringList& names, const QString& name)
{
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

} // namespace

QStringList scheduleNames()
{
    return translated(englishSchedules());
}

QStringList actionTypeNames()
{
    return translated(englishActionTypes());
}

QStringList weekdayNames()
{
    return translated(englishWeekdays());
}

int positionOf(const QStringList& names, const QString& name)
{
    const int found = exactPositionOf(names, name);
    if (found >= 0)
        return found;
    // A row saved before the language was changed still names its schedule, action and day in
    // English, the program's own names: those are understood under every language, so that
    // choosing a language never silences the events made before.
    for (const QStringList* english : {&englishSchedules(), &englishActionTypes(), &englishWeekdays()})
        if (english->size() == names.size() && translated(*english) == names) {
            const int position = exactPositionOf(*english, name);
            return position < 0 && english == &englishActionTypes() ? formerActionType(name) : position;
        }
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
