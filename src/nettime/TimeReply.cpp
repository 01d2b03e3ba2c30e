#include "nettime/TimeReply.h"

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

} // namespace nettime
