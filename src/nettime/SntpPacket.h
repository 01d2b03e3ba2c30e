#pragma once

#include "nettime/SockError.h"
#include "nettime/TimeReply.h"

#include <QByteArray>
#include <variant>

namespace nettime {

// SNTP (RFC 4330): a 48-byte request over UDP and the server's 48-byte (or longer) reply.
inline constexpr int SntpPacketLength = 48;
inline constexpr quint16 NtpPort = 123;

// A request of a client (version 4) whose transmit time is `nonce`. The server copies it into its
// reply's origin time, which is how a reply is known to answer this request; a random nonce rather
// than the clock's time leaves nothing for a stranger to guess.
QByteArray sntpRequest(quint64 nonce);

// A reply to the request with `nonce`, sent at `sentUs` by the local clock (microseconds since
// 1970) and taken `elapsedUs` later. It counts when it is long enough, answers this request (the
// two checks a stranger's packet fails), is a server's reply of version 1 to 4, comes from a synchronised
// server (leap indicator not 3, stratum 1 to 15; stratum 0 is a server asking not to be asked) and carries a
// transmit time. The offset is the mean of the two one-way differences, so the network's delay drops out; a
// clock within a millisecond of it is right.
std::variant<TimeSample, ESockError::Kind> readSntpReply(const QByteArray& reply, quint64 nonce,
                                                         qint64 sentUs, qint64 elapsedUs);

} // namespace nettime
