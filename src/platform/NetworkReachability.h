#pragma once

#include <QNetworkInformation>

namespace platform {

// Whether the computer can reach the network, as the desktop's network service tells it.
class NetworkReachability
{
public:
    virtual ~NetworkReachability() = default;
    virtual bool isConnected() const = 0;
};

// Qt's network information (NetworkManager, or GLib's network monitor). Where no service can tell,
// the computer counts as connected: a fetch that then fails says so itself, while a "not
// connected" that is not true would stop every automatic update for nothing.
class QtNetworkReachability final : public NetworkReachability
{
public:
    bool isConnected() const override;
};

// Only a network that is known to be down counts as no connection.
bool countsAsConnected(QNetworkInformation::Reachability reachability);

} // namespace platform
