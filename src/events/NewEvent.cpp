#include "events/NewEvent.h"

#include "core/DateTimeText.h"
#include "lang/Translate.h"

namespace events {

EventRecord makeNewEvent(const NewEventChoice& choice, const EventRecord* selected,
                         const core::LocaleFormats& locale)
{
    const int kind = choice.kind < skOneTime || choice.kind > skStart ? int(skOneTime) : choice.kind;
    EventRecord row;
    row.Name = Translate(QStringLiteral("Untitled Event"));
    switch (kind) {
    case skOneTime:
        row.text(DayDate) = core::formatDateText(choice.date, locale);
        break;
    case skWeekday:
        row.text(DayDate) = choice.weekday;
        break;
    default:
        break;
    }
    if (kind == skHourly)
        row.text(TimeText) = QStringLiteral("xx:") + choice.hourlyMinutes + u':' + choice.hourlySeconds;
    else if (kind != skStart)
        row.text(TimeText) = core::formatTimeText(choice.time, locale);
    row.text(ScheduleName) = scheduleNames()[kind];
    row.IconIndex = kind;
    if (selected) {
        row.text(TypeName) = selected->text(TypeName);
        row.text(FolderText) = selected->text(FolderText);
        row.text(FileText) = selected->text(FileText);
        row.text(RunWindow) = selected->text(RunWindow); // a clone starts its program the same way
    } else {
        row.text(TypeName) = actionTypeNames().constFirst();
        row.text(FolderText) = QStringLiteral("Veskel");
        row.text(FileText) = Translate(QStringLiteral("Reminder Message"));
    }
    row.text(ActiveFlag) = QStringLiteral("F");
    row.Active = false;
    return row;
}

} // namespace events
