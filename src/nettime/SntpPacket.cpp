#include "nettime/SntpPacket.h"

#include <QtEndian>
#include <cmath>

namespace nettime {

namespace {

quint64 timestampAt(const QByteArray& packet, int offset)
{
    return qFromBigEndian<quint64>(packet.constData() + offset);
}

// An NTP timestamp (seconds since 1900 and a binary fraction) in microseconds since 1970, read in
// the era near `nearUs`.
qint64 microsecondsOf(quint64 timestamp, qint64 nearUs)
{
    const qint64 wholeSecondMs = instantOfSeconds1900(quint32(timestamp >> 32), nearUs / 1000);
    return wholeSecondMs * 1000 + qint64(((timestamp & 0xFFFFFFFFu) * 1000000) >> 32);
}

} // namespace

QByteArray sntpRequest(quint64 nonce)
{
    QByteArray request(SntpPacketLength, '\0');
    request[0] = char(0 << 6 | 4 << 3 | 3); // no leap warning, version 4, client
    qToBigEndian(nonce, request.data() + 40);
    return request;
}

std::variant<TimeSample, ESockError::Kind> readSntpReply(const QByteArray& reply, quint64 nonce,
                                                         qint64 sentUs, qint64 elapsedUs)
{
    using Kind = ESockError::Kind;
    if (reply.size() < SntpPacketLength)
        return Kind::NotATime;
    if (timestampAt(reply, 24) != nonce)
        return Kind::NotForThisRequest;
    const int leap = quint8(reply[0]) >> 6;
    const int version = quint8(reply[0]) >> 3 & 7;
    const int mode = quint8(reply[0]) & 7;
    const int stratum = quint8(reply[1]);
    if (mode != 4 || version < 1 || version > 4)
        return Kind::NotATime;
    if (leap == 3 || stratum == 0 || stratum > 15)
        return Kind::NotSynchronised;
    const quint64 transmit = timestampAt(reply, 40);
    const quint64 receive = timestampAt(reply, 32);
    if (transmit == 0 || receive == 0)
        return Kind::NotATime;
    const qint64 t1 = sentUs;
    const qint64 t2 = microsecondsOf(receive, sentUs);
    const qint64 t3 = microsecondsOf(transmit, sentUs);
    const qint64 t4 = sentUs + elapsedUs;
    const qint64 offsetUs = ((t2 - t1) + (t3 - t4)) / 2;
    const qint64 delayUs = std::max<qint64>(0, (t4 - t1) - (t3 - t2));
    TimeSample sample;
    sample.offsetMs = std::llround(double(offsetUs) / 1000);
    sample.serverMs = (t4 + offsetUs) / 1000;
    sample.roundTripMs = delayUs / 1000;
    return sample;
}

} // namespace nettime
