#include "nettime/TimeClient.h"

#include "core/DateTimeText.h"
#include "nettime/TimeReply.h"

namespace nettime {

TTimeClient::TTimeClient(platform::HostLookup& lookup, const core::LocaleFormats& locale, QObject* parent)
    : TAsyncSocket(lookup, parent), m_locale(locale)
{
    Port = 37;
    TimeOut = 500;
}

QString TTimeClient::TimeStr()
{
    return core::formatTimeText(replyTimeOfDay(*replySeconds(readReply())), m_locale);
}

qint32 TTimeClient::TimeInt()
{
    return replyTimeInt(*replySeconds(readReply()));
}

} // namespace nettime
