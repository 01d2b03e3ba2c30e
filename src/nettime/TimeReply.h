#pragma once

#include <QByteArray>
#include <QTime>
#include <QtGlobal>
#include <optional>

namespace nettime {

// An RFC 868 reply: four bytes, the seconds since 1900-01-01 00:00:00 UTC, most significant byte
// first. The system clock is set from it, so nothing but those four bytes is taken: a shorter
// reply is no time at all, and whatever a server sends after the fourth byte is not looked at.
inline constexpr int ReplyLength = 4;

// The seconds of a reply, or nothing when fewer than four bytes came.
std::optional<quint32> replySeconds(const QByteArray& reply);

// The time of day in UTC: the epoch is a midnight, so it is the seconds modulo one day.
QTime replyTimeOfDay(quint32 seconds);

// The same 32 bits read as signed (2^31 seconds and more are negative).
inline qint32 replyTimeInt(quint32 seconds)
{
    return qint32(seconds);
}

} // namespace nettime
