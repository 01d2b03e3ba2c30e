#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace core {

// A date and time as a count of days since 30 December 1899: the whole part is the date, the
// fraction the time of day. Zone rules and time pickers compute in it; it is turned into and out
// of Qt's types only at the edges.
using DayTime = double;

DayTime dayTime(const QDate& date, const QTime& time = QTime(0, 0));
// The wall-clock fields of a date-time, whatever its zone.
DayTime dayTime(const QDateTime& wallClock);
QDate dateOf(DayTime value);
// To the millisecond.
QTime timeOf(DayTime value);

inline constexpr double MinutesPerDay = 1440.0;

} // namespace core
