// libFuzzer target: whatever comes back to an NTP request is read without reading past it, and
// only a reply that answers the request (its origin time the request's own) is ever a time. The
// same bytes as a server name from the list or the box parse to a host and a port that fits.
#include "nettime/ServerAddress.h"
#include "nettime/SntpPacket.h"

#include <QtEndian>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray reply = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const quint64 nonce = size >= 32 ? qFromBigEndian<quint64>(data + 24) : 1;
    const qint64 sentUs = 1798761600000000; // 2027-01-01
    const auto read = nettime::readSntpReply(reply, nonce, sentUs, 1500);
    if (std::holds_alternative<nettime::TimeSample>(read) && nonce == 1 && size < 32)
        __builtin_trap();
    if (std::holds_alternative<nettime::TimeSample>(nettime::readSntpReply(reply, ~nonce, sentUs, 1500)))
        __builtin_trap(); // another request's nonce: never a time
    const nettime::ServerAddress address = nettime::parseServerAddress(QString::fromUtf8(reply));
    if (address.port && *address.port == 0)
        __builtin_trap();
    return 0;
}
