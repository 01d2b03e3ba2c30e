#pragma once

#include <QString>
#include <stdexcept>

namespace nettime {

// Why a time fetch failed. Callers decide on the kind; what() is the text for the user, in the
// program's English, to be translated where it is shown.
class ESockError : public std::runtime_error
{
public:
    enum class Kind
    {
        AlreadyConnected,   // a fetch was asked for while one runs
        HostLookupTimedOut, // the name was not resolved within the time-out
        HostLookupCanceled, // the fetch was cancelled while the name was being resolved
        HostLookupFailed,   // the name resolves to nothing (or is too long to ask for)
        NullRemoteAddress,  // no address to connect to, after the retry the owner may ask for
        ConnectionTimedOut, // no connection, or no whole reply, within the time-out
        ConnectionCanceled, // the fetch was cancelled while connecting or awaiting the reply
        SocketFailed,       // the socket reported an error (code() holds its number)
        IncompleteReply,    // the server closed before sending the four bytes of a time
        ClosedByServer,     // the server closed the connection without sending anything
        NotForThisRequest,  // an NTP reply that does not answer the request sent
        NotSynchronised,    // an NTP server that says its own clock is not to be trusted
        NotATime,           // an NTP reply too short, of the wrong kind, or without a time
    };

    explicit ESockError(Kind kind, int code = 0);

    Kind kind() const { return m_kind; }
    // The socket error number of SocketFailed, else 0.
    int code() const { return m_code; }

    static QString textOf(Kind kind, int code = 0);

private:
    Kind m_kind;
    int m_code;
};

} // namespace nettime
