#include "nettime/TimeReply.h"

namespace nettime {

QTime replyTimeOfDay(const QByteArray& reply)
{
    constexpr quint32 day = 86400;
    quint32 seconds = 0;
    for (const char c : reply)
        seconds = quint32((quint64(seconds) * 256 + quint8(c)) % day);
    return QTime(0, 0).addSecs(int(seconds));
}

qint32 replyTimeInt(const QByteArray& reply)
{
    quint32 value = 0;
    for (const char c : reply)
        value = (value << 8) | quint8(c);
    return qint32(value);
}

} // namespace nettime
