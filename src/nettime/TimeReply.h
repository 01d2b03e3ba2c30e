#pragma once

#include <QByteArray>
#include <QTime>
#include <QtGlobal>

namespace nettime {

// An RFC 868 reply: seconds since 1900-01-01 00:00:00 UTC, most significant byte first. All the
// bytes that came are folded in, however many that is.

// The time of day in UTC: the value modulo one day. The epoch is a midnight, so this is the
// fraction of the value counted in days; it is folded modulo a day as it goes, which keeps it
// exact for replies of any length.
QTime replyTimeOfDay(const QByteArray& reply);

// The value folded in 32 bits (the low 32 bits of a longer reply), read as signed.
qint32 replyTimeInt(const QByteArray& reply);

} // namespace nettime
