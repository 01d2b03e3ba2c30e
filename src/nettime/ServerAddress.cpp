#include "nettime/ServerAddress.h"

namespace nettime {

namespace {

std::optional<quint16> portOf(QStringView text)
{
    bool ok = false;
    const uint port = text.toUInt(&ok);
    return ok && port > 0 && port <= 0xFFFF ? std::optional<quint16>(quint16(port)) : std::nullopt;
}

} // namespace

ServerAddress parseServerAddress(const QString& entry)
{
    ServerAddress address;
    QString rest = entry.trimmed();
    if (rest.startsWith(u"ntp:", Qt::CaseInsensitive)) {
        address.protocol = TimeProtocol::Ntp;
        rest = rest.mid(4);
    }
    if (rest.startsWith(u'[')) {
        const qsizetype close = rest.indexOf(u']');
        if (close > 0) {
            address.host = rest.mid(1, close - 1);
            if (rest.mid(close + 1).startsWith(u':'))
                address.port = portOf(QStringView(rest).mid(close + 2));
            return address;
        }
    }
    // One colon separates a port; more belong to an IPv6 address.
    if (const qsizetype colon = rest.indexOf(u':'); colon > 0 && rest.count(u':') == 1) {
        if (const auto port = portOf(QStringView(rest).mid(colon + 1))) {
            address.host = rest.left(colon);
            address.port = port;
            return address;
        }
    }
    address.host = rest;
    return address;
}

} // namespace nettime
