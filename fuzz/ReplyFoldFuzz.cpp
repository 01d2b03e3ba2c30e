// libFuzzer target: any reply a time server may send folds into a time of day and a 32-bit value.
#include "nettime/TimeReply.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray reply = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QTime time = nettime::replyTimeOfDay(reply);
    if (!time.isValid())
        __builtin_trap();
    // The 32-bit value is the low four bytes, whatever came before them.
    const qint32 value = nettime::replyTimeInt(reply);
    if (size >= 4 && value != nettime::replyTimeInt(reply.right(4)))
        __builtin_trap();
    return 0;
}
