// libFuzzer target: whatever a time server sends, only four whole bytes make a time, and no byte
// after the fourth changes it.
#include "nettime/TimeReply.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray reply = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<quint32> seconds = nettime::replySeconds(reply);
    if (seconds.has_value() != (size >= 4))
        __builtin_trap();
    if (!seconds)
        return 0;
    if (seconds != nettime::replySeconds(reply.left(4)) || !nettime::replyTimeOfDay(*seconds).isValid())
        __builtin_trap();
    return 0;
}
