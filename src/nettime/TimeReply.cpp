#include "nettime/TimeReply.h"

#include <cmath>

namespace nettime {

std::optional<quint32> replySeconds(const QByteArray& reply)
{
    if (reply.size() < ReplyLength)
        return std::nullopt;
    quint32 value = 0;
    for (int i = 0; i < ReplyLength; ++i)
        value = (value << 8) | quint8(reply[i]);
    return value;
}

QTime replyTimeOfDay(quint32 seconds)
{
    return QTime(0, 0).addSecs(int(seconds % 86400));
}

qint64 instantOfSeconds1900(quint32 seconds, qint64 localMs)
{
    constexpr qint64 from1900To1970Ms = 2208988800000;
    constexpr qint64 spanMs = (qint64(1) << 32) * 1000;
    const qint64 inFirstSpan = qint64(seconds) * 1000 - from1900To1970Ms;
    const qint64 near = std::max(localMs, EarliestBelievableMs);
    const qint64 spans = std::llround(double(near - inFirstSpan) / double(spanMs));
    return inFirstSpan + spans * spanMs;
}

bool believable(qint64 serverMs, qint64 localMs)
{
    constexpr qint64 aYearMs = 366LL * 86400 * 1000;
    if (serverMs < EarliestBelievableMs)
        return false;
    return localMs < EarliestBelievableMs || std::abs(serverMs - localMs) <= aYearMs;
}

TimeSample rfc868Sample(quint32 seconds, qint64 localMs, qint64 roundTripMs)
{
    const qint64 serverMs = instantOfSeconds1900(seconds, localMs) + 500;
    return {serverMs, serverMs - localMs, 500 + roundTripMs, roundTripMs};
}

} // namespace nettime
