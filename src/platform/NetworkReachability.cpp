#include "platform/NetworkReachability.h"

namespace platform {

bool countsAsConnected(QNetworkInformation::Reachability reachability)
{
    return reachability != QNetworkInformation::Reachability::Disconnected;
}

bool QtNetworkReachability::isConnected() const
{
    // The backend is loaded on the first question, not at start: most runs never ask.
    if (!QNetworkInformation::instance() &&
        !QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
        return true;
    const QNetworkInformation* information = QNetworkInformation::instance();
    return !information || countsAsConnected(information->reachability());
}

} // namespace platform
