#pragma once

#include "events/EventRecord.h"

#include <QDateTime>

namespace core {
class LocaleFormats;
} // namespace core

namespace events {

// Whether a row is an active one-time event whose second has passed: it will never run.
bool hasPassed(const EventRecord& row, const QDateTime& now, const core::LocaleFormats& locale);

// What the list says of when a row runs next, seen at `now`: the time in the user's format, with
// the date when it is not today; nothing for an inactive row; for a start event, that it runs at
// start; for a one-time event gone by, that its time has passed; for a row whose date or time
// cannot be read, that it cannot be.
QString nextRunText(const EventRecord& row, const QDateTime& now, const core::LocaleFormats& locale);

// A text that puts rows in the order they run next when sorted as text; rows that will not run
// come last.
QString nextRunSortKey(const EventRecord& row, const QDateTime& now, const core::LocaleFormats& locale);

} // namespace events
