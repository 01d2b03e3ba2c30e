#pragma once

#include "events/EventRecord.h"

#include <QDate>
#include <QTime>

namespace core {
class LocaleFormats;
} // namespace core

namespace events {

// What the events page shows when a new event is added.
struct NewEventChoice
{
    int kind = -1;   // the chosen schedule; none chosen gives "One Time"
    QDate date;      // the date picker
    QTime time;      // the time picker
    QString weekday; // the weekday list's text
    QString hourlyMinutes = QStringLiteral("00");
    QString hourlySeconds = QStringLiteral("00");
};

// A new, inactive event: "Untitled Event" on the chosen schedule. Its action is copied from the
// selected row when there is one, otherwise it is a message box titled with the program's name.
EventRecord makeNewEvent(const NewEventChoice& choice, const EventRecord* selected,
                         const core::LocaleFormats& locale);

} // namespace events
