#pragma once

#include "nettime/AsyncSocket.h"

namespace core {
class LocaleFormats;
} // namespace core

namespace nettime {

// Asks a time server for the time of day in UTC with the Time Protocol (RFC 868, TCP port 37):
// the server sends four bytes, the seconds since 1900, and closes. Each read of TimeStr or
// TimeInt is one complete exchange.
class TTimeClient final : public TAsyncSocket
{
    Q_OBJECT

public:
    TTimeClient(platform::HostLookup& lookup, const core::LocaleFormats& locale, QObject* parent = nullptr);

    // The UTC time of day in the user's long time format, as core::formatTimeText writes it,
    // so that core::parseTimeText reads it back in every locale; the date is dropped.
    QString TimeStr();
    // The reply's 32 bits, read as signed.
    qint32 TimeInt();

private:
    const core::LocaleFormats& m_locale;
};

} // namespace nettime
