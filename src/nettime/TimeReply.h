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

// What one exchange with a time server found, in milliseconds: the server's time when its reply
// came (since 1970, UTC), how far the local clock must move to agree with it, and how close a
// clock may be and still count as right as far as the reply can tell.
struct TimeSample
{
    qint64 serverMs = 0;
    qint64 offsetMs = 0;
    qint64 toleranceMs = 0;
    qint64 roundTripMs = 0;
    bool clockIsRight() const { return std::abs(offsetMs) <= toleranceMs; }
};

// Seconds since 1900 in 32 bits (RFC 868 and NTP both count so) run over in 2036. A count is read
// in the span of 2^32 seconds that puts it nearest the local clock, or nearest the earliest time
// that can be right when the local clock is earlier still.
qint64 instantOfSeconds1900(quint32 seconds, qint64 localMs);

// 2026-01-01 00:00:00 UTC: the program did not exist before, so no time before it can be right.
inline constexpr qint64 EarliestBelievableMs = 1767225600000;

// Whether a server's time can be right: not before the program existed, and not more than a year
// from the local clock, unless that clock is itself plainly wrong (before the program existed).
// Four bytes of anything make a time; this refuses nearly all that are not one.
bool believable(qint64 serverMs, qint64 localMs);

// An RFC 868 reply read at `localMs`, `roundTripMs` after asking. The server sent the whole
// second it was in: the middle of that second is its best guess, and a clock anywhere within the
// second (widened by the round trip) is right.
TimeSample rfc868Sample(quint32 seconds, qint64 localMs, qint64 roundTripMs);

} // namespace nettime
