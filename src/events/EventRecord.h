#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace events {

enum ScheduleKind : int
{
    skOneTime = 0,
    skHourly,
    skDaily,
    skWeekday,
    skStart
};
enum ActionType : int
{
    atMessageBox = 0,
    atRunProgram,
    atPlayMedia,
    atAdjustTime,
    atAgent
};

// The eight texts of a row after its name, in their order.
enum SubText : int
{
    DayDate = 0,
    TimeText,
    ScheduleName,
    TypeName,
    FolderText,
    FileText,
    ActiveFlag,
    RunWindow
};
inline constexpr int SubTextCount = 8;

// One event, held as the texts the event list shows: schedule kind, action type and weekday are
// kept as their names, not as numbers.
struct EventRecord
{
    QString Name;
    std::array<QString, SubTextCount> SubTexts;
    bool Active = false;
    int IconIndex = 0;

    const QString& text(SubText which) const { return SubTexts[size_t(which)]; }
    QString& text(SubText which) { return SubTexts[size_t(which)]; }

    bool operator==(const EventRecord&) const = default;
};

// The names as the program shows them now (translated), in the order of their numbers.
QStringList scheduleNames();
QStringList actionTypeNames();
QStringList weekdayNames(); // Sunday first

// A name's position in a list of names: exact text, letter case aside; for the lists above, the
// program's own English name is understood too under any language. -1 when it is not there.
int positionOf(const QStringList& names, const QString& name);

// Decoding by name: -1 when the name is not among the current names.
int scheduleKindOf(const EventRecord& row);
int actionTypeOf(const EventRecord& row);
int weekdayOf(const EventRecord& row);

} // namespace events
