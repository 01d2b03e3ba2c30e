#pragma once

#include <QString>
#include <optional>

namespace nettime {

// The protocol a time server is asked with.
enum class TimeProtocol
{
    Time, // RFC 868 over TCP, port 37: whole seconds
    Ntp,  // SNTP (RFC 4330) over UDP, port 123: milliseconds, with the network's delay taken out
};

// A server as the box and the list write it: "name" is asked with the Time Protocol, as every
// list has always meant, and "ntp:name" with NTP. Either may end in ":port"; an IPv6 address then
// stands in brackets. Blanks around it do not count.
struct ServerAddress
{
    TimeProtocol protocol = TimeProtocol::Time;
    QString host;
    std::optional<quint16> port;
};
ServerAddress parseServerAddress(const QString& entry);

} // namespace nettime
