#include "nettime/SockError.h"

#include "nettime/WinsockErrors.h"

namespace nettime {

ESockError::ESockError(Kind kind, int code)
    : std::runtime_error(textOf(kind, code).toStdString()), m_kind(kind), m_code(code)
{
}

QString ESockError::textOf(Kind kind, int code)
{
    switch (kind) {
    case Kind::AlreadyConnected:
        return QStringLiteral("Already connected");
    case Kind::HostLookupTimedOut:
        return QStringLiteral("Host Lookup Timed Out");
    case Kind::HostLookupCanceled:
        return QStringLiteral("Host Lookup Canceled");
    case Kind::HostLookupFailed:
        return QStringLiteral("Host Lookup Failed");
    case Kind::NullRemoteAddress:
        return QStringLiteral("Null Remote Address");
    case Kind::ConnectionTimedOut:
        return QStringLiteral("Connection Timed out");
    case Kind::ConnectionCanceled:
        return QStringLiteral("Connection Canceled");
    case Kind::SocketFailed:
        return winsockErrorText(code);
    case Kind::IncompleteReply:
        return QStringLiteral("Incomplete reply from the time server");
    case Kind::ClosedByServer:
        return QStringLiteral("The server closed the connection without sending the time");
    case Kind::NotForThisRequest:
        return QStringLiteral("The time server's reply does not answer the request");
    case Kind::NotSynchronised:
        return QStringLiteral("The time server's own clock is not synchronised");
    case Kind::NotATime:
        return QStringLiteral("The time server sent no valid time");
    }
    return {};
}

} // namespace nettime
